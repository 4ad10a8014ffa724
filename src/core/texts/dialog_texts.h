#pragma once
// Texts of the modal dialogs themselves (their buttons, their own warnings and the grid's
// number messages) and of the answer scripts that drive the dialogs from bubblix-cli.
// The texts a session puts into a dialog (captions, prompts, variants) live with the session.

#include "core/texts/text.h"

namespace bubblix::texts {

// Grid entry dialog (TfmStrGr). {0} is the cell's text as typed.
inline constexpr Text kGridWrongSymbol{"Wrong symbol at input of number {0}",
                                       "Неправильный символ при вводе числа {0}"};
inline constexpr Text kGridNumberEntryError{"Error of number entry {0}",
                                            "Ошибка при вводе числа {0}"};
inline constexpr Text kGridOk{"OK", "OK"};
inline constexpr Text kGridCancel{"Cancel", "Отмена"};

// Component dialog (TfmCheckListBox).
inline constexpr Text kChooseOneComponent{"Choose even one component of a mix",
                                          "Выберите хотя-бы один компонент смеси"};
inline constexpr Text kSelectAll{"Select All", "Выбрать все"};
inline constexpr Text kCheckListOk{"OK", "OK"};

// Variant dialog (TfmAltern): its one button has the same caption in both languages.
inline constexpr Text kAlternChecked{"Checked", "Checked"};

// Model dialog (TForm1): the fixed model items, in Tag order, and its two buttons.
inline constexpr Text kModelOk{"OK", "OK"};
inline constexpr Text kModelExit{"Exit", "Выход"};
inline constexpr const char* kModelNames[4] = {"Wilson", "NRTL", "UNIQUAC", "UNIFAC"};

// Titles of the message boxes by kind.
inline constexpr Text kMessageWarning{"Warning", "Предупреждение"};
inline constexpr Text kMessageError{"Error", "Ошибка"};
inline constexpr Text kMessageConfirmation{"Confirm", "Подтверждение"};
inline constexpr Text kMessageInformation{"Information", "Информация"};

// Requests that no dialog can show (a programming error of the caller).
inline constexpr Text kVariantCountOutOfRange{
    "The variant dialog shows 1 to 10 variants, not {0}",
    "Диалог выбора варианта показывает от 1 до 10 вариантов, а не {0}"};
inline constexpr Text kVariantIndexOutOfRange{
    "Variant index {0} does not exist: the dialog shows {1} variants",
    "Варианта с индексом {0} нет: диалог показывает вариантов: {1}"};
inline constexpr Text kCheckListCountOutOfRange{
    "The component dialog lists 0 to 16 names, not {0}",
    "Диалог выбора компонентов показывает от 0 до 16 названий, а не {0}"};
inline constexpr Text kGridSizeOutOfRange{
    "The grid dialog cannot show {0} columns and {1} rows with {2} fixed columns and {3} "
    "fixed rows (1 to 25 columns and rows, at least one of each not fixed)",
    "Диалог таблицы не может показать столбцов: {0}, строк: {1} при фиксированных столбцах: "
    "{2} и строках: {3} (от 1 до 25 столбцов и строк, хотя бы по одному нефиксированному)"};

// Answer scripts. {0} is a line number, {1} the line as written (comment removed), {2} the
// question, {3} the answers it takes written in the script's own words.
// {0} the script's name, {1} the system's reason in words.
inline constexpr Text kScriptUnreadable{"Answer script {0} cannot be read: {1}",
                                        "Файл ответов {0} не удаётся прочитать: {1}"};
inline constexpr Text kScriptTooLarge{"Answer script {0} is larger than {1} bytes",
                                      "Файл ответов {0} больше {1} байт"};
inline constexpr Text kScriptFileNameHoldsNul{
    "Answer script line {0}: the file name \"{1}\" holds a NUL byte, which no file name can hold",
    "Файл ответов, строка {0}: имя файла \"{1}\" содержит нулевой байт, недопустимый в именах "
    "файлов"};
inline constexpr Text kScriptUnknownAnswer{
    "Answer script line {0}: unknown answer \"{1}\"; an answer starts with variant, model, "
    "components, grid, file, yes, no, abort, retry, cancel or close",
    "Файл ответов, строка {0}: неизвестный ответ \"{1}\"; ответ начинается со слова variant, "
    "model, components, grid, file, yes, no, abort, retry, cancel или close"};
inline constexpr Text kScriptMalformed{"Answer script line {0}: \"{1}\" is not written as {2}",
                                       "Файл ответов, строка {0}: \"{1}\" записан не в форме {2}"};
inline constexpr Text kScriptWrongAnswer{
    "Answer script line {0}: \"{1}\" does not answer the question \"{2}\", which takes {3}",
    "Файл ответов, строка {0}: \"{1}\" не является ответом на вопрос \"{2}\"; возможные "
    "ответы: {3}"};
inline constexpr Text kScriptNoAnswerLeft{
    "Answer script ends at line {0} with no answer to the question \"{1}\", which takes {2}",
    "Файл ответов закончился на строке {0} без ответа на вопрос \"{1}\"; возможные "
    "ответы: {2}"};

}  // namespace bubblix::texts
