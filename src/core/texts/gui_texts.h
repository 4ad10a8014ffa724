#pragma once
// Texts of the desktop program's own windows: the language dialog, the main window and its
// frame, the report actions (open, save, print, font, about, home page). The texts of the
// dialogs the sessions ask through live in dialog_texts.h.
//
// "\r\n" inside a text is carriage return + line feed; the widgets show it as a line break.

#include "core/texts/text.h"

namespace bubblix::texts {

// Start-up.
inline constexpr Text kApplicationTitle{"Bubblix", "Bubblix"};
inline constexpr Text kLanguageCaption{"Language of interface", "Language of interface"};
inline constexpr Text kLanguagePrompt{
    "     Choose language of interface       (Выберите язык интерфейса)",
    "     Choose language of interface       (Выберите язык интерфейса)"};
inline constexpr Text kLanguageEnglishButton{"En", "En"};
inline constexpr Text kLanguageRussianButton{"Ru", "Ru"};
inline constexpr Text kMakerContacts{
    "E-mail: bubblix@example.org\nWeb: https://bubblix.example.org",
    "E-mail: bubblix@example.org\nWeb: https://bubblix.example.org"};
inline constexpr Text kNoPrinter{
    "For normal operation of the program on your\r\ncomputer the printer must be installed",
    "Для нормальной работы программы на Вашем\r\nкомпьютере должен быть установлен принтер"};

// Main window and frame.
inline constexpr Text kMainCaption{
    "Vapor-liquid equilibrium calculation in multi-component systems.",
    "Расчет равновесия между паром и жидкостью в многокомпонентных системах"};
inline constexpr Text kToolBarCaption{"Все для работы с файлами и папками",
                                      "Все для работы с файлами и папками"};
// The File menu keeps its design caption in English.
inline constexpr Text kFileMenu{"File", "Файл"};
inline constexpr Text kRunButton{"Run", "Пуск"};
inline constexpr Text kRunHint{"Click on this button to begin operations",
                               "Для начала работы щелкните по этой кнопке"};
inline constexpr Text kExitButton{"Cancel", "Выход"};

inline constexpr Text kPrintAction{"Print", "Печать"};
inline constexpr Text kFontAction{"Font", "Шрифт"};
inline constexpr Text kAboutAction{"About", "О программе"};
inline constexpr Text kHomePageAction{"HomePage", "Домашняя страница"};

inline constexpr Text kOpenHint{"To open a file", "Открыть файл"};
inline constexpr Text kSaveHint{"To save in the file", "Сохранить в файле"};
inline constexpr Text kSaveAsHint{"To save As", "Сохранить как"};
inline constexpr Text kFontHint{"Font", "Шрифт"};
inline constexpr Text kPrintHint{"Print", "Печать"};
inline constexpr Text kAboutHint{"About program", "О программе"};
inline constexpr Text kHomePageHint{"To visit the HomePage", "Посетить Домашнюю страницу"};

// Printing.
inline constexpr Text kPrintQuestion{"Wish to print the document ?",
                                     "Желаете напечатать документ ?"};
// {0}: the printer, or the PDF file printed to.
inline constexpr Text kPrintFailed{"The document cannot be printed on {0}",
                                   "Документ не может быть напечатан на {0}"};
inline constexpr Text kNoPrintTarget{
    "The document cannot be printed: no printer and no output file is chosen",
    "Документ не может быть напечатан: не выбраны ни принтер, ни файл для печати"};

// About box and home page.
inline constexpr Text kAboutCaption{"About program", "О программе"};
inline constexpr Text kAboutOk{"OK", "OK"};
// Shown in Russian whatever the interface language; followed by the error code.
inline constexpr Text kBrowserStartFailed{"Ошибка ", "Ошибка "};

// A failure that ended a calculation session; the report keeps what it had.
inline constexpr Text kSessionFailed{"The calculation was stopped: {0}", "Расчет прерван: {0}"};

}  // namespace bubblix::texts
