#pragma once
// The texts of bubblix-cli's own messages, English and Russian. The report texts and the
// messages of the calculation come from the core (core/texts/).

#include "core/texts/text.h"

namespace bubblix::cli::texts {

// ---- The data command ----

inline constexpr Text kDataLibraryLine{"Component library {0}:", "Библиотека компонентов {0}:"};
inline constexpr Text kDataNoLibrary{"No component library loaded",
                                     "Библиотека компонентов не загружена"};
// {0} number, {1}, {2} names, {3} molar mass, {4} boiling temperature, {5} groups.
inline constexpr Text kDataComponentLine{
    "  {0}: {1} ({2}), M = {3} g/mol, boils at {4} °C at 760 mm Hg, {5} UNIFAC groups",
    "  {0}: {1} ({2}), M = {3} г/моль, кипит при {4} °C при 760 мм рт.ст., групп UNIFAC: {5}"};
inline constexpr Text kDataNoSets{"No data sets loaded", "Наборы данных не загружены"};
// {0} file, {1}, {2} components, {3} points, {4}..{5} t, {6}..{7} P.
inline constexpr Text kDataSetLine{
    "Data set {0}: {1}-{2}, {3} points, t {4} to {5} °C, P {6} to {7} mm Hg",
    "Набор данных {0}: {1}-{2}, точек: {3}, t от {4} до {5} °C, P от {6} до {7} мм рт.ст."};
// {0} x1, {1} t, {2} P, {3} component, {4} its vapour pressure, {5} deviation.
inline constexpr Text kDataEndLine{
    "  end x1 = {0}: t = {1} °C, P = {2} mm Hg; vapour pressure of {3} there {4} mm Hg "
    "({5} %)",
    "  край x1 = {0}: t = {1} °C, P = {2} мм рт.ст.; давление пара {3} при ней {4} мм рт.ст. "
    "({5} %)"};

// ---- Values of the command line ----

// {0}: the option, {1}: its value, {2}: what is wrong.
inline constexpr Text kObjectiveOptionInvalid{"{0}: \"{1}\" {2}", "{0}: \"{1}\" {2}"};
inline constexpr Text kNotAnObjective{"is not an objective (y1, y, bubble or ml)",
                                      "- не целевая функция (y1, y, bubble или ml)"};
inline constexpr Text kNotASigma{"is not a list of t=, p=, x=, y= with positive numbers",
                                 "- не список t=, p=, x=, y= с положительными числами"};
inline constexpr Text kNotAFix{"is not NAME=VALUE or I-J:NAME=VALUE",
                               "- не NAME=VALUE или I-J:NAME=VALUE"};
inline constexpr Text kNotABound{"is not NAME=LO:HI or I-J:NAME=LO:HI with LO <= HI",
                                 "- не NAME=LO:HI или I-J:NAME=LO:HI с LO <= HI"};
inline constexpr Text kUnknownParameterName{"names no parameter of the model",
                                            "- не имя параметра модели"};
inline constexpr Text kUnknownPair{"names a pair that is not two of the components",
                                   "- пара, которая не из двух компонентов смеси"};
inline constexpr Text kConstraintUnused{"names no parameter of a fitted pair",
                                        "- не имя параметра ни одной подобранной пары"};
inline constexpr Text kLimitsWithY1{"the objective y1 takes no --fix, --bound or --sigma",
                                    "целевая функция y1 не принимает --fix, --bound и --sigma"};

inline constexpr Text kNotANumber{"{0}: \"{1}\" is not a number (write numbers with a full stop)",
                                  "{0}: \"{1}\" - не число (дробную часть отделяйте точкой)"};
inline constexpr Text kEmptyList{"{0}: no values given", "{0}: значения не заданы"};
inline constexpr Text kComponentNumber{"--components: \"{0}\" is not a component number (1 to {1})",
                                       "--components: \"{0}\" - не номер компонента (от 1 до {1})"};
inline constexpr Text kComponentRepeated{"--components: component {0} is given twice",
                                         "--components: компонент {0} задан дважды"};
inline constexpr Text kComponentCount{"--components: a mixture has 2 to 4 components, {0} given",
                                      "--components: смесь состоит из 2-4 компонентов, задано {0}"};
inline constexpr Text kComponentPair{
    "--components: the consistency check takes the two components of a pair, {0} given",
    "--components: для проверки согласованности нужны два компонента пары, задано {0}"};
inline constexpr Text kUnifacVariantWithoutUnifac{
    "--unifac-variant applies to --model unifac only",
    "--unifac-variant относится только к --model unifac"};
inline constexpr Text kLiteratureWithoutVariant1{
    "--literature takes the literature group values of UNIFAC variant 1: it needs --model unifac "
    "and --unifac-variant 1",
    "--literature берет литературные значения групповых параметров UNIFAC варианта 1: нужны "
    "--model unifac и --unifac-variant 1"};
inline constexpr Text kCompositionCount{
    "--composition: {0} values given; the set of {1} components takes {2} (the mole percents of "
    "components 1 to {2}, the last component is the rest to 100)",
    "--composition: задано значений: {0}; для набора из {1} компонентов нужно {2} (мольные "
    "проценты компонентов 1-{2}, последний компонент - остаток до 100)"};
inline constexpr Text kFractionCount{"--x: {0} mole fractions given; the set has {1} components",
                                     "--x: задано мольных долей: {0}; в наборе {1} компонентов"};
inline constexpr Text kFractionOutOfRange{
    "--x: the mole fraction {1} of component {0} is outside 0..1",
    "--x: мольная доля {1} компонента {0} вне интервала 0..1"};
inline constexpr Text kFractionSum{"--x: the mole fractions add up to {0}, not to 1",
                                   "--x: сумма мольных долей равна {0}, а не 1"};
inline constexpr Text kTemperatureTooLow{
    "--t: {0} degr.C is not above absolute zero (-273.15 degr.C)",
    "--t: {0} град.С - не выше абсолютного нуля (-273,15 град.С)"};
inline constexpr Text kBatchNeedsNoPoint{
    "--batch reads its points from the file: leave out --task, --phase, --value and "
    "--composition",
    "--batch читает точки из файла: --task, --phase, --value и --composition не задаются"};
inline constexpr Text kPointOptionMissing{"{0} is required (or --batch FILE for many points)",
                                          "требуется {0} (или --batch ФАЙЛ для многих точек)"};
inline constexpr Text kJsonWithBatch{"--json does not apply to --batch: its results are CSV",
                                     "--json не относится к --batch: его результаты - CSV"};
inline constexpr Text kBatchSameFile{"--out {0} is the input file of --batch itself",
                                     "--out {0} - это сам входной файл --batch"};
inline constexpr Text kOutWithoutBatch{"--out applies to --batch only",
                                       "--out относится только к --batch"};

// ---- Parameter sets ----

inline constexpr Text kNotBinary{
    "{0} holds a set of {1} components; this command needs a binary set",
    "{0} содержит набор из {1} компонентов; команде нужен бинарный набор"};

inline constexpr Text kParameterFileError{"Parameter file {0}: {1}", "Файл параметров {0}: {1}"};

// ---- Files ----

// {0} the batch input ("-": standard input), {1} the line, {2} the system's reason.
inline constexpr Text kBatchInputReadFailed{"Batch input {0}: reading failed at line {1}: {2}",
                                            "Пакетный ввод {0}: ошибка чтения в строке {1}: {2}"};

// ---- Results ----

inline constexpr Text kBatchPointsFailed{
    "{0} of {1} points could not be solved: their messages are in the error column",
    "Не удалось рассчитать точек: {0} из {1}; их сообщения - в столбце error"};
inline constexpr Text kGammaHeading{"Activity coefficients of model {0} at t = {1} degr.C",
                                    "Коэффициенты активности модели {0} при t = {1} град.С"};
inline constexpr Text kGammaNotFinite{
    "The activity coefficients of model {0} cannot be calculated at t = {1} degr.C for this "
    "composition",
    "Коэффициенты активности модели {0} не удается рассчитать при t = {1} град.С для этого "
    "состава"};
inline constexpr Text kResultNotFinite{"The result {0} is not a finite number",
                                       "Результат {0} не является конечным числом"};

// ---- The fitting session without questions ----

inline constexpr Text kRetrying{
    "The fit converges slowly: going on ({0} of {1} retries, --max-retries)",
    "Подбор сходится медленно: продолжение ({0} из {1} повторов, --max-retries)"};
inline constexpr Text kRetriesExhausted{
    "The fit was stopped: it still converged slowly after {0} retries (raise --max-retries to "
    "let it go on longer)",
    "Подбор остановлен: он сходился медленно и после {0} повторов (увеличьте --max-retries, "
    "чтобы он продолжался дольше)"};
inline constexpr Text kPairWithoutData{
    "{0} The fit command cannot choose where the parameters of such a pair come from: answer "
    "that question in a session (bubblix-cli session --answers FILE)",
    "{0} Команда fit не может выбрать, откуда берутся параметры такой пары: ответьте на этот "
    "вопрос в сеансе (bubblix-cli session --answers ФАЙЛ)"};
inline constexpr Text kUnexpectedQuestion{
    "The fitting session asked a question the fit command cannot answer: {0}",
    "Сеанс подбора задал вопрос, на который команда fit не может ответить: {0}"};
inline constexpr Text kNotSaved{"The parameter file {0} was not written",
                                "Файл параметров {0} не записан"};

// ---- Sessions from answer scripts ----

inline constexpr Text kAnswersLeft{
    "Answer script {0}: the session ended with {1} answer(s) not used, the first at line {2}",
    "Файл ответов {0}: сеанс завершен, неиспользованных ответов: {1}, первый в строке {2}"};
inline constexpr Text kSessionFailed{"The session ended with an error (see the message above)",
                                     "Сеанс завершен с ошибкой (см. сообщение выше)"};
inline constexpr Text kSessionSaveFailed{
    "The session could not save a file (see the message above)",
    "Сеансу не удалось сохранить файл (см. сообщение выше)"};
// {0} the report file of --report.
inline constexpr Text kEmptyReportNotSaved{
    "The session wrote no report line: {0} is not written and stays as it was",
    "Сеанс не записал ни одной строки отчета: {0} не записан и остался прежним"};

// ---- The diagram program ----

inline constexpr Text kDiagramNotBuilt{
    "The diagram program {0} is not built: it needs Qt 6 (configure with -DBUBBLIX_GUI=ON and "
    "build the target bubblix-diagram)",
    "Программа диаграмм {0} не собрана: ей нужен Qt 6 (настройте сборку с -DBUBBLIX_GUI=ON и "
    "соберите цель bubblix-diagram)"};
inline constexpr Text kDiagramNotStarted{"The diagram program {0} cannot be started: {1}",
                                         "Не удается запустить программу диаграмм {0}: {1}"};

// ---- Anything else ----

inline constexpr Text kUnknownCommand{
    "\"{0}\" is not a command of bubblix-cli; the commands are {1} (bubblix-cli --help)",
    "\"{0}\" - не команда bubblix-cli; команды: {1} (bubblix-cli --help)"};
inline constexpr Text kOutputNotWritten{"The standard output cannot be written",
                                        "Не удается записать стандартный вывод"};
inline constexpr Text kUnexpectedFailure{"Unexpected failure: {0}", "Непредвиденный сбой: {0}"};

}  // namespace bubblix::cli::texts
