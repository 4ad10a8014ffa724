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
// Menu captions: "&" marks the mnemonic, the letter that Alt chooses on the menu bar and that
// chooses an item in an open menu; shown without it, each is the caption as designed (the File
// menu keeps "File" in English). Every menu-bar entry and every item of a menu has one, and
// none is used twice in its menu: the English File menu has O S A X N P, the bar F N P A H G
// (leaving D and O for the Data and Options menus); the Russian File menu О С К В Ш П, the bar
// Ф Ш П О Д Г.
inline constexpr Text kFileMenu{"&File", "&Файл"};
// The Data menu (Russian: А, since Д is the home page's) and its item.
inline constexpr Text kDataMenu{"&Data", "Д&анные"};
inline constexpr Text kCheckConsistencyAction{"&Check consistency…", "&Проверка согласованности…"};
inline constexpr Text kCheckConsistencyHint{
    "Thermodynamic consistency tests of a pair's equilibrium data",
    "Проверка термодинамической согласованности данных о равновесии пары"};
// The items of the user's own data: English C L S D, Russian П К Н Д, each once in the menu.
inline constexpr Text kLoadComponentsAction{"&Load components…", "Загрузить &компоненты…"};
inline constexpr Text kLoadComponentsHint{
    "Load a component library (JSON); its components join the component dialog",
    "Загрузить библиотеку компонентов (JSON); её компоненты появятся в диалоге выбора"};
inline constexpr Text kLoadDataSetAction{"Load data &set…", "Загрузить &набор данных…"};
inline constexpr Text kLoadDataSetHint{
    "Load one or more data sets of measured points (CSV) for the fits and the diagrams",
    "Загрузить один или несколько наборов измеренных точек (CSV) для расчета и диаграмм"};
inline constexpr Text kLoadedDataAction{"Loaded &data…", "Загруженные &данные…"};
inline constexpr Text kLoadedDataHint{"The component library and the data sets loaded",
                                      "Загруженные библиотека компонентов и наборы данных"};
// The window of the loaded data.
inline constexpr Text kLoadedDataTitle{"Loaded data", "Загруженные данные"};
// {0}: the library file.
inline constexpr Text kLoadedLibraryLabel{"Component library: {0}", "Библиотека компонентов: {0}"};
inline constexpr Text kLoadedNoLibrary{"No component library is loaded.",
                                       "Библиотека компонентов не загружена."};
inline constexpr Text kLoadedSetsLabel{"Data sets:", "Наборы данных:"};
inline constexpr Text kLoadedNoSets{"No data set is loaded.", "Наборы данных не загружены."};
inline constexpr Text kLoadedColumnNumber{"No.", "№"};
inline constexpr Text kLoadedColumnName{"Name", "Название"};
inline constexpr Text kLoadedColumnRussianName{"Russian name", "Русское название"};
inline constexpr Text kLoadedColumnBoiling{"t boil. at 760 mm Hg, °C",
                                           "t кип. при 760 мм рт.ст., °C"};
inline constexpr Text kLoadedColumnPair{"Pair", "Пара"};
inline constexpr Text kLoadedColumnPoints{"Points", "Точек"};
inline constexpr Text kLoadedColumnT{"t, °C", "t, °C"};
inline constexpr Text kLoadedColumnP{"P, mm Hg", "P, мм рт.ст."};
inline constexpr Text kLoadedColumnFile{"File", "Файл"};
// {0} to {1}; a single value when both are equal.
inline constexpr Text kLoadedRange{"{0} to {1}", "от {0} до {1}"};
inline constexpr Text kLoadedNoBoiling{"none", "нет"};
inline constexpr Text kLoadedRemoveButton{"&Remove", "&Удалить"};
inline constexpr Text kLoadedRemoveHint{"Remove the data set chosen in the list",
                                        "Удалить набор данных, выбранный в списке"};
inline constexpr Text kLoadedCloseButton{"&Close", "&Закрыть"};

// The dialog of the consistency check.
inline constexpr Text kConsistencyDialogTitle{"Check consistency", "Проверка согласованности"};
inline constexpr Text kConsistencyFirst{"Component &1:", "Компонент &1:"};
inline constexpr Text kConsistencySecond{"Component &2:", "Компонент &2:"};
inline constexpr Text kConsistencyTerms{"&Terms of the point test's series (m):",
                                        "&Членов ряда теста по точкам (m):"};
inline constexpr Text kConsistencySamePair{"Choose two different components",
                                           "Выберите два разных компонента"};
inline constexpr Text kRunButton{"Run", "Пуск"};
inline constexpr Text kRunHint{"Click on this button to begin operations",
                               "Для начала работы щелкните по этой кнопке"};
inline constexpr Text kExitButton{"Cancel", "Выход"};

inline constexpr Text kPrintAction{"&Print", "&Печать"};
inline constexpr Text kFontAction{"Fo&nt", "&Шрифт"};
inline constexpr Text kAboutAction{"&About", "&О программе"};
inline constexpr Text kHomePageAction{"&HomePage", "&Домашняя страница"};

inline constexpr Text kOpenHint{"To open a file", "Открыть файл"};
inline constexpr Text kSaveHint{"To save in the file", "Сохранить в файле"};
inline constexpr Text kSaveAsHint{"To save As", "Сохранить как"};
inline constexpr Text kFontHint{"Font", "Шрифт"};
inline constexpr Text kPrintHint{"Print", "Печать"};
inline constexpr Text kAboutHint{"About program", "О программе"};
inline constexpr Text kHomePageHint{"To visit the HomePage", "Посетить Домашнюю страницу"};

// Open while the report holds changes not saved in a file; the buttons are Save, Discard and
// Cancel.
inline constexpr Text kUnsavedReportQuestion{
    "The report has changes that are not saved in a file. Save them before another file is "
    "opened?",
    "В отчете есть изменения, не сохраненные в файле. Сохранить их перед открытием другого "
    "файла?"};

// Printing.
inline constexpr Text kPrintQuestion{"Wish to print the document ?",
                                     "Желаете напечатать документ ?"};
// {0}: the printer, or the PDF file printed to.
inline constexpr Text kPrintFailed{"The document cannot be printed on {0}",
                                   "Документ не может быть напечатан на {0}"};
inline constexpr Text kNoPrintTarget{
    "The document cannot be printed: no printer and no output file is chosen",
    "Документ не может быть напечатан: не выбраны ни принтер, ни файл для печати"};
// {0}, {1}: the first and last page chosen in the print dialog; {2}: the report's pages.
inline constexpr Text kPrintRangeEmpty{
    "Nothing is printed: the pages {0} to {1} are not in the report, which has {2} pages",
    "Ничего не напечатано: страниц с {0} по {1} в отчете нет, в нем всего страниц: {2}"};

// bubblix --print-pdf. {0}: the report file.
inline constexpr Text kPrintPdfUsage{
    "Usage: bubblix --print-pdf REPORT.txt OUT.pdf\n"
    "Prints the report file to a PDF file (A4 portrait, the report's font) without a printer "
    "and without a window.",
    "Запуск: bubblix --print-pdf ОТЧЕТ.txt ФАЙЛ.pdf\n"
    "Печатает файл отчета в файл PDF (A4, книжная, шрифт отчета) без принтера и без окна."};
inline constexpr Text kPrintPdfSameFile{
    "The report {0} cannot be printed into itself: choose another name for the PDF file",
    "Отчет {0} нельзя напечатать в тот же файл: выберите другое имя файла PDF"};
inline constexpr Text kPrintPdfEmptyReport{"The report {0} is empty: there is nothing to print",
                                           "Отчет {0} пуст: печатать нечего"};

// About box and home page.
inline constexpr Text kAboutCaption{"About program", "О программе"};
inline constexpr Text kAboutOk{"OK", "OK"};
// Shown in Russian whatever the interface language; followed by the error code.
inline constexpr Text kBrowserStartFailed{"Ошибка ", "Ошибка "};

// A failure that ended a calculation session; the report keeps what it had.
inline constexpr Text kSessionFailed{"The calculation was stopped: {0}", "Расчет прерван: {0}"};

// Phase diagrams of a binary parameter set: the main window's action, the diagram window and
// the diagram program bubblix-diagram.
inline constexpr Text kDiagramAction{"Dia&gram", "Диа&грамма"};
inline constexpr Text kDiagramHint{
    "Phase diagrams (t-x-y, y-x, P-x-y) of the binary parameter set of the last session",
    "Фазовые диаграммы (t-x-y, y-x, P-x-y) бинарного набора параметров последнего расчета"};
// {0}, {1} the component names, {2} the model name.
inline constexpr Text kDiagramWindowCaption{"Phase diagrams {0}-{1}, model {2}",
                                            "Фазовые диаграммы {0}-{1}, модель {2}"};
inline constexpr Text kDiagramTxyTab{"t-x-y", "t-x-y"};
inline constexpr Text kDiagramXyTab{"y-x", "y-x"};
inline constexpr Text kDiagramGammaTab{"ln γ (data)", "ln γ (опыт)"};
// {0} the temperature, °C.
// The tab of a loaded set's diagram: {0} t-x-y or P-x-y, {1} the set's file name.
inline constexpr Text kDiagramDataSetTab{"{0}: {1}", "{0}: {1}"};
inline constexpr Text kDiagramPxyKindTab{"P-x-y", "P-x-y"};
inline constexpr Text kDiagramPxyTab{"P-x-y at {0} °C", "P-x-y при {0} °C"};
inline constexpr Text kDiagramPxyTemperature{"Temperature for P-x-y, °C:",
                                             "Температура для P-x-y, °C:"};
inline constexpr Text kDiagramPxyButton{"Draw P-x-y", "Построить P-x-y"};
inline constexpr Text kDiagramPxyHint{
    "Pressure-composition diagram at the temperature given on the left",
    "Диаграмма давление-состав при температуре, заданной слева"};
inline constexpr Text kDiagramSaveButton{"Save...", "Сохранить..."};
inline constexpr Text kDiagramSaveHint{"Save the diagram shown as a PNG picture or an SVG drawing",
                                       "Сохранить показанную диаграмму как рисунок PNG или SVG"};
inline constexpr Text kDiagramCloseButton{"Close", "Закрыть"};
inline constexpr Text kDiagramSaveCaption{"Saving the diagram", "Сохранение диаграммы"};
inline constexpr Text kDiagramSaveFilter{"PNG picture (*.png);;SVG drawing (*.svg)",
                                         "Рисунок PNG (*.png);;Рисунок SVG (*.svg)"};
// A legend entry with its values. {0} the legend text, {1} the condition ("t = 78.16 °C"),
// {2} the mole fraction x1.
inline constexpr Text kDiagramAzeotropeEntry{"{0}: {1}, x1 = {2}", "{0}: {1}, x1 = {2}"};
// {0} the legend text, {1} and {2} the ends of the range of x1.
inline constexpr Text kDiagramSplitEntry{"{0}: {1} < x1 < {2}", "{0}: {1} < x1 < {2}"};
// {0} the file name.
inline constexpr Text kDiagramFileType{
    "The diagram file {0} must end in .png or .svg",
    "Имя файла диаграммы {0} должно оканчиваться на .png или .svg"};
// {0} the file name, {1} the reason.
inline constexpr Text kDiagramNotWritten{"The diagram cannot be written to {0}: {1}",
                                         "Диаграмму нельзя записать в файл {0}: {1}"};
inline constexpr Text kDiagramWriteFailed{"the drawing could not be made",
                                          "рисунок не удалось построить"};

// bubblix-diagram. {0} the program name.
inline constexpr Text kDiagramUsage{
    "Usage: {0} --params FILE.dat --out FILE.png|FILE.svg [--kind txy|xy|pxy] [--t CELSIUS] "
    "[--lang en|ru] [--size WIDTHxHEIGHT]\n"
    "       {0} --kind gamma --components I,J --out FILE.png|FILE.svg [--m 3] [--lang en|ru] "
    "[--size WIDTHxHEIGHT]\n"
    "       {0} --kind residuals --params FILE.dat [--components I,J] --out FILE.png|FILE.svg "
    "[--lang en|ru] [--size WIDTHxHEIGHT]\n"
    "       each with [--library FILE.json] [--data FILE.csv]... (the user's own components and "
    "data sets)\n"
    "Draws the phase diagram of the binary parameter set in FILE.dat:\n"
    "  txy  t-x-y at the pressure of the pair's data (760 mm Hg when the pair has none), the "
    "default\n"
    "  xy   y-x at the same pressure, or at the temperature --t when it is given\n"
    "  pxy  P-x-y at the temperature --t (°C), which it needs\n"
    "or, with --kind gamma, ln gamma1, ln gamma2 and ln(gamma1/gamma2) of the data of "
    "the pair I, J (its loaded data sets, else its built-in data) (component 1 is I) with the "
    "point test's series of --m terms (1 to 5, 3 "
    "unless given).\n"
    "or, with --kind residuals, the residuals (calculated - measured) of the bubble "
    "temperatures (pressures for an isothermal set) and of y1 against x1 of the set in FILE.dat "
    "for its pair I, J (database numbers; needed when the set has more than two components).\n"
    "The file's ending chooses the format; the size is 900x650 pixels unless --size is given.",
    "Запуск: {0} --params ФАЙЛ.dat --out ФАЙЛ.png|ФАЙЛ.svg [--kind txy|xy|pxy] [--t ГРАДУСЫ] "
    "[--lang en|ru] [--size ШИРИНАxВЫСОТА]\n"
    "        {0} --kind gamma --components I,J --out ФАЙЛ.png|ФАЙЛ.svg [--m 3] [--lang en|ru] "
    "[--size ШИРИНАxВЫСОТА]\n"
    "        {0} --kind residuals --params ФАЙЛ.dat [--components I,J] --out ФАЙЛ.png|ФАЙЛ.svg "
    "[--lang en|ru] [--size ШИРИНАxВЫСОТА]\n"
    "        в каждом случае с [--library ФАЙЛ.json] [--data ФАЙЛ.csv]... (свои компоненты и "
    "наборы данных)\n"
    "Строит фазовую диаграмму бинарного набора параметров из ФАЙЛ.dat:\n"
    "  txy  t-x-y при давлении опытных данных пары (760 мм рт.ст., если данных нет), по "
    "умолчанию\n"
    "  xy   y-x при том же давлении или при температуре --t, если она задана\n"
    "  pxy  P-x-y при температуре --t (°C), которая для нее нужна\n"
    "или, с --kind gamma, ln gamma1, ln gamma2 и ln(gamma1/gamma2) по данным пары "
    "I, J (загруженным наборам, иначе встроенным) (компонент 1 - I) с рядом теста по точкам из --m "
    "членов (от 1 до 5, по умолчанию 3).\n"
    "или, с --kind residuals, невязки (расчет - опыт) температур кипения (давлений для "
    "изотермического набора) и y1 в зависимости от x1 для набора из ФАЙЛ.dat и его пары I, J "
    "(номера в базе данных; нужны, если в наборе больше двух компонентов).\n"
    "Формат задается окончанием имени файла; размер 900x650 точек, если не задан --size."};
// What --components and --m of the kind gamma take, for kDiagramOptionValue.
inline constexpr Text kDiagramPairValues{
    "two different component numbers 1 to 4 (5 to 16: those of --library), e.g. 1,2",
    "два разных номера компонентов от 1 до 4 (от 5 до 16 - из --library), например 1,2"};
inline constexpr Text kDiagramTermValues{"a whole number from 1 to 5", "целое число от 1 до 5"};
inline constexpr Text kDiagramGammaOptions{
    "The kind gamma is drawn from the data of --components I,J (their loaded data sets, else "
    "the built-in data): it takes no --params and no --t",
    "Вид gamma строится по данным --components I,J (загруженным наборам, иначе встроенным): "
    "--params и --t к нему не относятся"};
inline constexpr Text kDiagramPairOnlyForGamma{
    "--components applies to the kinds gamma and residuals only, --m to gamma only",
    "--components относится только к видам gamma и residuals, --m — только к gamma"};
inline constexpr Text kDiagramResidualOptions{
    "The kind residuals is drawn at the data's own conditions: it takes no --t and no --m",
    "Вид residuals строится при условиях опытных данных: --t и --m к нему не относятся"};
// {0}: the set's component count.
inline constexpr Text kDiagramResidualPairNeeded{
    "The parameter set holds {0} components: --components I,J chooses the pair",
    "В наборе параметров {0} компонентов: пару выбирает --components I,J"};
// {0} the option.
inline constexpr Text kDiagramOptionUnknown{"Unknown option {0}", "Неизвестный параметр {0}"};
inline constexpr Text kDiagramOptionValueMissing{"The option {0} needs a value",
                                                 "Для параметра {0} нужно значение"};
inline constexpr Text kDiagramOptionTwice{"The option {0} is given twice",
                                          "Параметр {0} задан дважды"};
inline constexpr Text kDiagramOptionRequired{"The option {0} is required",
                                             "Параметр {0} обязателен"};
// {0} the option, {1} the value, {2} the values it takes.
inline constexpr Text kDiagramOptionValue{"The option {0} does not take {1}: it takes {2}",
                                          "Параметр {0} не принимает значение {1}: допустимо {2}"};
// What --t and --size take, for kDiagramOptionValue.
inline constexpr Text kDiagramTemperatureValues{"a number of °C above -273.15",
                                                "число градусов Цельсия выше -273,15"};
inline constexpr Text kDiagramSizeValues{"WIDTHxHEIGHT in pixels, each from 200 to 8000",
                                         "ШИРИНАxВЫСОТА в точках, каждое от 200 до 8000"};
inline constexpr Text kDiagramKindNeedsTemperature{
    "The kind pxy needs the temperature: --t CELSIUS",
    "Для вида pxy нужна температура: --t ГРАДУСЫ"};
inline constexpr Text kDiagramTemperatureNotForTxy{
    "The kind txy is drawn at the pressure of the data; --t applies to pxy and xy",
    "Вид txy строится при давлении опытных данных; --t относится к видам pxy и xy"};
// {0} the program name, {1} the message.
inline constexpr Text kDiagramProgramError{"{0}: {1}", "{0}: {1}"};

}  // namespace bubblix::texts
