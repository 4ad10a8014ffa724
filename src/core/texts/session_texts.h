#pragma once
// Texts of the calculation session, the equilibrium dialogue, the parameter-fitting session
// and the parameter-file dialogs: what they put into the dialogs and write into the report.
// "\r\n" is a line break of the report or of a dialog's prompt; the few texts that show the
// same words in both interfaces say so.

#include <string_view>

#include "core/texts/text.h"

namespace bubblix::texts {

// ---- Shared by the questions of all sessions ----

inline constexpr Text kChoiceOfVariant{"Choice of variant", "Выбор варианта"};
inline constexpr Text kVariant1Recommended{" variant 1 (is recommended)",
                                           " вариант 1 (рекомендуется)"};
inline constexpr Text kVariant1{" variant 1", " вариант 1"};
inline constexpr Text kVariant2{" variant 2", " вариант 2"};
inline constexpr Text kVariant3{" variant 3", " вариант 3"};

// ---- Calculation session ----

inline constexpr Text kParameterSourceQuestion{
    "  Wish to calculate power parameters of binary interactions of molecules\r\n (structural "
    "groups) components (variant 1), or to load their values\r\n from the file (variant 2)?",
    "      Желаете рассчитать энергетические параметры бинарных\r\n   взаимодействий молекул "
    "(структурных групп) компонентов\r\n   (вариант 1), или загрузить их значения из файла "
    "(вариант 2)?"};

inline constexpr Text kComponentDialogCaption{"Choice of componental ratio of mixture",
                                              "Выбор компонентного состава смеси"};
inline constexpr Text kComponentDialogPrompt{
    "Set quality ratio of mixture for which it is required to calculate boiling point and "
    "composition of an equilibrium vapour phase",
    "Задайте качественный состав смеси, для которой требуется рассчитать температуру кипения "
    "и состав равновесной паровой фазы"};
inline constexpr Text kTwoComponentsRequired{
    "For calculation of vapor-liquid equilibrium choice not less than two components is "
    "required",
    "Для расчета паро-жидкостного равновесия следует выбрать не менее двух компонентов"};

// {0}: the mixture, {1}: its groups in all.
inline constexpr Text kTooManyMixtureGroups{
    "UNIFAC cannot take the system {0}: its components have {1} groups in all; at most 10",
    "UNIFAC неприменим к системе {0}: её компоненты содержат всего {1} групп; допускается не "
    "более 10"};

// {0}, {1}: main-group numbers, {2}: the mixture or pair.
inline constexpr Text kNoReferenceGroupPair{
    "The UNIFAC literature values hold no interaction of main groups {0} and {1} (system {2}): "
    "fit UNIFAC to data or enter its parameters",
    "Литературные значения UNIFAC не содержат взаимодействия основных групп {0} и {1} "
    "(система {2}): подберите параметры UNIFAC по данным или введите их"};

// {0}: the number of components ticked.
inline constexpr Text kAtMostFourComponents{"A mixture has 2 to 4 components; {0} are ticked",
                                            "Смесь содержит от 2 до 4 компонентов; отмечено {0}"};
// {0}: the entry text of the component.
inline constexpr Text kComponentPropertiesAbsent{
    "the properties of mixture component {0} are absent in the database",
    "свойства компонента смеси {0} отсутствуют в базе данных"};

// The report heading; {0}: the method name.
inline constexpr Text kSessionHeading{
    "       Calculation of an vapor-liquid  equilibrium in multi-component system.\r\n"
    "Equilibrium calculation method {0}. The denotations:\r\n"
    "t boil.-boiling temperature of a mix, deg.C;  \r\n"
    "P - pressure, mm of a hg.; X and Y- mole fractions of components in liquid and vapour "
    "phases.",
    "       Расчет равновесия между паром и жидкостью в многокомпонентной системе.\r\n"
    "Метод расчета равновесия {0}. Обозначения:\r\n"
    "t кип.-температура кипения смеси, град.С;  \r\n"
    "P - давление, мм.рт.ст.; X и Y- мольные доли компонентов в жидкой и паровой фазе."};

// {0}: the method name.
inline constexpr Text kAdequacyQuestion{"Wish to verify adequacy to model {0} ?",
                                        "Желаете проверить адекватность модели {0} ?"};

// Followed by " " and "-" + name for each component.
inline constexpr Text kSystemLine{"        Vapour-liquid equilibrium in the system ",
                                  "        Паро-жидкостное равновесие в системе "};
inline constexpr Text kAdequacyColumnTitles{
    "tboi(dg.C) P(mm. of hg) x1(% mol.) x1(% mas.) y1(% mol.) y1(% mas.) gamma1  gamma2",
    "tкип(гр.C) P(мм.рт.ст.) x1(% мол.) x1(% вес.) y1(% мол.) y1(% вес.) gamma1  gamma2"};
// t (degC), P' (mm Hg), x1 (mol %), x1 (mass %), y1 (mol %), y1 (mass %), gamma1, gamma2.
inline constexpr std::string_view kAdequacyRowFormat =
    "%8.2f %16.2f %14.4f %14.4f %14.4f %14.4f %14.5f %14.5f";

// The summary: a format and its four texts, with e_yT, e_yP, e_T and e_P between them.
inline constexpr Text kAdequacySummaryFormat{"%61s %-27s %8.5f (%8.5f), %27s %8.5f, %27s %8.5f",
                                             "%61s %-27s %8.5f  (%8.5f), %27s %8.5f, %-27s %8.5f"};
inline constexpr Text kAdequacySummaryTitle{
    "Average square-law error of calculations (adequacy of model):\r\n",
    "Средняя квадратичная погрешность расчетов (адекватность модели):\r\n"};
inline constexpr Text kAdequacySummaryComposition{"densities (mole fract.)- ",
                                                  "концентрации (мольн.доли)- "};
inline constexpr Text kAdequacySummaryTemperature{"temperature of boiling (degr. C) -",
                                                  "температуры кипения (град.C) - "};
inline constexpr Text kAdequacySummaryPressure{"\r\npressure (mm of a hg) -     ",
                                               "\r\nдавления (мм.рт.ст.) -      "};

// ---- Equilibrium dialogue ----

inline constexpr Text kEquilibriumQuestion{
    "Wish to calculate a boiling temperature of a mix on\r\npreset pressure and composition of "
    "liquid or vapour phase?\r\nOr pressure on a preset boiling temperature and "
    "composition\r\nof liquid or vapour phase?",
    "Желаете рассчитать температуру кипения смеси по\r\nзаданному давлению и составу жидкой "
    "или паровой фазы?\r\nИли давление по заданной температуре кипения и составу\r\nжидкой "
    "или паровой фазы?"};
inline constexpr Text kEquilibriumVariantTemperature{"temperature of boiling on pressure",
                                                     "температуру кипения по давлению"};
inline constexpr Text kEquilibriumVariantPressure{"pressure on temperature of boiling",
                                                  "давление по температуре кипения"};
inline constexpr Text kEquilibriumBoxLiquid{"to set composition of liquid phase",
                                            "задать состав жидкой фазы"};
inline constexpr Text kEquilibriumBoxVapour{"to set composition of vapour phase",
                                            "задать состав паровой фазы"};

// Column 0 of the grid and the prompt, by task.
inline constexpr Text kPressureColumnTitle{"     Pabs ", "     Pабс "};
inline constexpr Text kPressureColumnUnit{" mm of hg. ", " мм рт.ст. "};
inline constexpr Text kTemperaturePrompt{
    "Enter pressure (mm of a hg) and densities of\r\ncomponents in a fluid phase (% of molar) "
    "for\r\ncalculation of mix boiling point and equilibrium\r\ncomposition of a vapour phase",
    "Введите давление (мм.рт.ст.) и концентрации\r\nкомпонентов в жидкой фазе (% мольн.) для "
    "рас-\r\nчета температуры кипения смеси и равновесного\r\nсостава паровой фазы."};
inline constexpr Text kTemperatureColumnTitle{"     t boil", "     t кип "};
inline constexpr Text kTemperatureColumnUnit{" degr.C", " град.С"};
// {0}: the phase word below.
inline constexpr Text kPressurePrompt{
    "Enter temperature (degr.C) and densities of\r\ncomponents in a {0} phase (% of molar) "
    "for\r\ncalculation of mixture pressure and equilibrium\r\ncomposition of a vapour phase.",
    "Введите температуру (град.С) и концентрации\r\nкомпонентов в {0} (% мольн.) для "
    "рас-\r\nчета давления смеси и равновесного состава\r\nпаровой фазы."};
inline constexpr Text kPhaseWordVapour{"vapour", "паровой"};
inline constexpr Text kPhaseWordLiquid{"fluid", "жидкой"};

// The table header: the header text, then per component "     " + name + "      " + name +
// " ", "\r\n", the unit line, "      " and per component " " + the phase label.
inline constexpr Text kEquilibriumHeader{
    "                           Equilibrium structures of phases (% of molar)\r\n     Pabs     "
    "t boil/cond ",
    "                                    Равновесные составы фаз в (% мольн.)\r\n     Pабс     "
    "t кип/конд  "};
inline constexpr Text kEquilibriumUnitLine{" mm of hg.    degr.C ", " мм рт.ст.    град.C"};
inline constexpr Text kEquilibriumPhaseLabel{" in liquid    in vapour  ",
                                             "  в жидк.     в паре   "};
inline constexpr Text kMolarPercentNote{
    "All densities of components are expressed in molar percents ",
    "Все концентрации компонентов выражены в мольных процентах   "};

inline constexpr Text kEquilibriumGridCaption{"Data entry for calculation of equilibrium",
                                              "Ввод данных для расчета равновесия"};
inline constexpr Text kMolarPercentUnit{"   % molar", "   % мольн."};

// One row: P (mm Hg) and t (degC), then per component x and y (mol %).
inline constexpr std::string_view kEquilibriumRowFormat = "%10.4f%10.4f    ";
inline constexpr std::string_view kEquilibriumComponentFormat = "%12.4f %12.4f ";

// Entries refused before solving. {0}: the value as read.
inline constexpr Text kEntryPressureNotPositive{
    "The pressure must be greater than zero: {0} mm Hg. Enter the point again.",
    "Давление должно быть больше нуля: {0} мм рт.ст. Введите точку заново."};
inline constexpr Text kEntryTemperatureTooLow{
    "The temperature must be above absolute zero (-273.15 °C): {0} °C. Enter the point again.",
    "Температура должна быть выше абсолютного нуля (-273,15 °C): {0} °C. Введите точку "
    "заново."};
// {0}: the component's name, {1}: the percent.
inline constexpr Text kEntryPercentOutOfRange{
    "The mole percent of {0} must lie between 0 and 100: {1}. Enter the point again.",
    "Мольный процент компонента {0} должен быть от 0 до 100: {1}. Введите точку заново."};
// {0}: the sum of the percents entered, {1}: the last component's name.
inline constexpr Text kEntryPercentSumAbove100{
    "The mole percents entered add up to {0}, more than 100: nothing would be left for {1}. "
    "Enter the point again.",
    "Сумма введенных мольных процентов равна {0}, больше 100: для компонента {1} ничего не "
    "остается. Введите точку заново."};
// {0}: the column's title (trimmed), {1}: the value.
// {0}: the column left empty (the pressure or temperature title, or a component name).
inline constexpr Text kEntryCellEmpty{
    "The cell {0} is empty: a point needs every value of its row. Enter the point again.",
    "Ячейка {0} не заполнена: для точки нужны все значения строки. Введите точку заново."};
inline constexpr Text kEntryNotFinite{
    "The value {0} = {1} is not a finite number. Enter the point again.",
    "Значение {0} = {1} не является конечным числом. Введите точку заново."};
// {0}: the solver's message.
inline constexpr Text kEquilibriumPointFailed{
    "This point could not be calculated: {0}. Enter another point or change the values.",
    "Эту точку не удалось рассчитать: {0}. Введите другую точку или измените значения."};

// ---- Adequacy table ----

// {0}: the point number (1-based), {1}: the reason.
inline constexpr Text kAdequacyPointFailed{
    "The adequacy table ends at experimental point {0}, which could not be calculated: {1}",
    "Таблица адекватности прервана на экспериментальной точке {0}, которую не удалось "
    "рассчитать: {1}"};

// ---- Session end ----

// {0}: the reason.
inline constexpr Text kSessionEnded{"The calculation session has ended: {0}",
                                    "Сеанс расчета завершен: {0}"};

// ---- Parameter-fitting session ----

inline constexpr Text kModelDialogCaption{"Choose of phase equilibrium calculation method",
                                          "Выбор метода расчета фазового равновесия"};
inline constexpr Text kModelDialogPrompt{
    "Choice of experimental data processing and\r\nphase equilibrium calculation method "
    "between\r\nvapour and liquid phases",
    "Выберите метод обработки экспериментальных\r\nданных и расчета фазового равновесия "
    "между\r\nпаровой и жидкой фазами"};
inline constexpr Text kModelDialogWarning{"Choose one of equilibrium calculation methods.",
                                          "Выберите один из методов расчета равновесия."};

inline constexpr Text kUnifacVariantCaption{"The definition of the parameter", "Задание параметра"};
inline constexpr Text kUnifacVariantQuestion{
    "Select variant of account by UNIFAC method:\r\n1 - without taking into account "
    "interactions\r\n    between subgroups (on Brandeck);\r\n2 - in view of interactions "
    "between subgroups.",
    "Выберите вариант расчета по методу UNIFAC:\r\n1 - без учета взаимодействий между "
    "подгруппами\r\n    (по Брандеку);\r\n2 - с учетом взаимодействий между подгруппами."};
inline constexpr Text kUnifacVariant1{" variant 1;", " вариант 1;"};

inline constexpr Text kLiteratureQuestion{
    "Wish to calculate coefficients of group\r\ninteraction on experimental datas, "
    "available\r\nin the database (variant 1), or to take advantage\r\nof their values taken "
    "from the help literature (variant 2)?",
    "Желаете рассчитать коэффициенты группового\r\nвзаимодействия по экспериментальным "
    "данным,\r\nимеющимся в базе (вариант 1), или воспользоваться\r\nих значениями, взятыми "
    "из справочной литературы (вариант 2)?"};

// Followed by "\r\n".
inline constexpr Text kFittingTitle{
    " Calculation of power parameters of intermolecular (intergroup)interaction.",
    "Расчет энергетических параметров межмолекулярного (межгруппового) взаимодействия"};

// {0}, {1}: the names of the pair's components, {2}: the method name.
inline constexpr Text kPairHeading{
    "Power parameters of binary interaction of molecules (structural groups)\r\ncomponent "
    "{0}-{1} of model {2}",
    "Энергетические параметры бинарных взаимодействий молекул (структурных "
    "групп)\r\nкомпонентов {0}-{1} модели {2}"};
inline constexpr Text kPairHeadingFitted{" and root-mean-square error of calculation.",
                                         " и среднеквадратичная погрешность расчетов."};
// Appended after "." + "\r\n".
inline constexpr Text kPairHeadingUser{"Power parameters are set by the user",
                                       "Энергетические параметры заданы пользователем"};
// The status text during a fit (its line break is LF CR).
inline constexpr Text kPleaseWait{
    "please wait ! There is a calculation of power\n\rparameters of intermolecular (intergroup) "
    "interaction",
    "пожалуйста подождите ! Идет расчет энергетических\n\rпараметров межмолекулярного "
    "(межгруппового) взаимодействия"};

// The question for a pair without data, in pieces: {0}-{1} names the pair, {2} the method.
inline constexpr Text kNoDataAbsent{
    "Experimental data on equilibrium in a system {0}-{1} are absent.\r\n  Select one of the "
    "following variants:\r\n",
    "  Экспериментальные данные по равновесию в системе {0}-{1} отсутствуют.\r\n  Выберите "
    "один из следующих вариантов:\r\n"};
inline constexpr Text kNoDataOwnEntry{
    "     1 -  set energy parameters of model{2}independently;\r\n",
    "     1 - задать энергетические параметры модели {2} "
    "самостоятельно;\r\n"};
inline constexpr Text kNoDataEndProgram{"     2 - to complete activity of the program\r\n",
                                        "     2 - завершить работу программы\r\n"};
inline constexpr Text kNoDataBrandeck{
    "     3 - to take advantage of Brandeck data from\r\n        reference literature (is "
    "recommended)",
    "     3 - воспользоваться данными Брандека из\r\n        справочной литературы "
    "(рекомендуется)"};
inline constexpr Text kNoDataSwitchToUnifac{
    "     3 - to repeat calculation with usage of UNIFAC method\r\n          (is recommended)",
    "     3 - повторить расчет с использованием метода UNIFAC\r\n          (рекомендуется)"};

// Units and the prompt word of the entry grids and result lines.
inline constexpr Text kUnitKJPerMole{" kJ/mole;", " кДж/моль;"};
inline constexpr Text kUnitKelvin{"  degr.K;", "  град.K;"};
inline constexpr Text kEnterWord{"Enter ", "Введите "};

// {0}: the method name.
inline constexpr Text kEntryGridCaption{"Input of power parameters for method {0}",
                                        "Ввод энергетических параметров для метода {0}"};
inline constexpr Text kUnifacEntryCount{"Number of power parameters of interaction of groups ",
                                        "Число энергетических параметров взаимодействия групп "};
inline constexpr Text kLiteratureValues{"Power parameters are taken from references",
                                        "Энергетические параметры взяты из литературных "
                                        "источников"};

// The labels of the binary models: column titles and prompt words of the entry grid, and the
// result line's labels (the same in both interfaces).
struct BinaryModelLabels {
  std::string_view Column1;
  std::string_view Column2;
  std::string_view Prompt1;
  std::string_view Prompt2;
  std::string_view Result1;
  std::string_view Result2;
};
inline constexpr BinaryModelLabels kWilsonLabels{"    L12-L11", "    L21-L22",  " L12-L11 ",
                                                 " L21-L22 ",   "  l12-l11 = ", "  l21-l22 = "};
inline constexpr BinaryModelLabels kUniquacLabels{"    u12-u22", "    u21-u22",  " u12-u22 ",
                                                  " u21-u22 ",   "  u12-u22 = ", "  u21-u11 = "};
inline constexpr BinaryModelLabels kNrtlLabels{"    g12-g22", "    g21-g22",  " g12-g22 ",
                                               " g21-g22 ",   "  g12-g22 = ", "  g21-g11 = "};
inline constexpr std::string_view kNrtlAlphaColumn = "     alp12";
inline constexpr std::string_view kNrtlAlphaPrompt = " alp12";
inline constexpr std::string_view kNrtlAlphaResult = "  alp12=";

// UNIFAC group-pair names (entry grid) and result items, variant 1 and variant 2.
inline constexpr std::string_view kGroupNameFormat1 = "%4s%d%s%d%s";
inline constexpr std::string_view kGroupNameFormat2 = "%4s%d%s%s%d%s%s";
inline constexpr std::string_view kGroupResultFormat1 = "  a0[%d,%d]= %7.3f";
inline constexpr std::string_view kGroupResultFormat2 = "  a[%d%s,%d%s]= %7.3f";

// No model chosen: the model dialog was left by Exit.
inline constexpr Text kModelDialogLeft{"no calculation method was chosen",
                                       "метод расчета не выбран"};
// The entry grid of a pair's parameters was cancelled.
inline constexpr Text kParameterEntryCancelled{
    "the entry of the interaction parameters was cancelled",
    "ввод параметров взаимодействия отменен"};
// UNIFAC entry of a pair with more parameters than the grid can take. {0}, {1}: the pair,
// {2}: the number of parameters.
inline constexpr Text kTooManyGroupParameters{
    "The pair {0}-{1} has {2} group interaction parameters; at most 25 can be entered by hand. "
    "Choose the literature values or another model.",
    "Пара {0}-{1} имеет {2} параметров группового взаимодействия; вручную можно ввести не "
    "более 25. Выберите литературные значения или другую модель."};

// ---- Parameter-file dialogs ----

// Variant 2 cancelled before any parameter set exists.
inline constexpr Text kNoParameterSet{
    "no parameter file was chosen and there is no parameter set from an earlier calculation",
    "файл параметров не выбран, а набора параметров от предыдущего расчета нет"};

}  // namespace bubblix::texts
