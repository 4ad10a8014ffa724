#pragma once
// Texts of the user's own data: the component library (JSON) and the data sets (CSV).

#include "core/texts/text.h"

namespace bubblix {

// ---- Reading the files ----

// {0}: file name, {1}: the reason in words.
inline constexpr Text kLibraryUnreadable{"Component library {0} cannot be read: {1}",
                                         "Библиотеку компонентов {0} не удаётся прочитать: {1}"};
// {0}: file name, {1}: the largest size in bytes.
inline constexpr Text kLibraryTooLarge{"Component library {0} is larger than {1} bytes",
                                       "Библиотека компонентов {0} больше {1} байт"};
// {0}: file name, {1}: line, {2}: column, {3}: what the JSON reader found.
inline constexpr Text kLibrarySyntax{
    "Component library {0}, line {1}, column {2}: not valid JSON ({3})",
    "Библиотека компонентов {0}, строка {1}, столбец {2}: ошибка синтаксиса JSON ({3})"};
// {0}: file name, {1}: the key.
inline constexpr Text kLibraryDuplicateKey{
    "Component library {0}: the key \"{1}\" is given twice in one object",
    "Библиотека компонентов {0}: ключ \"{1}\" указан в одном объекте дважды"};
// {0}: file name.
inline constexpr Text kLibraryNoComponents{
    "Component library {0}: the file must be an object {\"components\": [...]} with at least "
    "one component",
    "Библиотека компонентов {0}: файл должен быть объектом {\"components\": [...]} хотя бы с "
    "одним компонентом"};
// {0}: file name, {1}: the largest depth.
inline constexpr Text kLibraryTooDeep{
    "Component library {0}: lists and objects are nested deeper than {1} levels",
    "Библиотека компонентов {0}: вложенность списков и объектов глубже {1} уровней"};
// {0}: file name, {1}: the key.
inline constexpr Text kLibraryUnknownTopKey{
    "Component library {0}: unknown key \"{1}\" (only \"components\" is allowed)",
    "Библиотека компонентов {0}: неизвестный ключ \"{1}\" (допускается только \"components\")"};
// {0}: file name, {1}: components in the file, {2}: the largest number.
inline constexpr Text kLibraryTooManyComponents{
    "Component library {0} holds {1} components; at most {2} can be added to the database",
    "Библиотека компонентов {0} содержит {1} компонентов; в базу данных можно добавить не "
    "более {2}"};

// The messages about one component: {0} file name, {1} index of the component in the file
// (from 1), {2} its name (or "?" before it is known), {3} the field, e.g. "antoine.B".
inline constexpr Text kComponentUnknownKey{
    "Component library {0}, component {1} ({2}): unknown key \"{3}\"",
    "Библиотека компонентов {0}, компонент {1} ({2}): неизвестный ключ \"{3}\""};
inline constexpr Text kComponentMissingField{
    "Component library {0}, component {1} ({2}): the field \"{3}\" is missing",
    "Библиотека компонентов {0}, компонент {1} ({2}): отсутствует поле \"{3}\""};
inline constexpr Text kComponentNotNumber{
    "Component library {0}, component {1} ({2}): \"{3}\" must be a finite number",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" должно быть конечным числом"};
inline constexpr Text kComponentNotPositive{
    "Component library {0}, component {1} ({2}): \"{3}\" must be above zero",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" должно быть больше нуля"};
inline constexpr Text kComponentWrongType{
    "Component library {0}, component {1} ({2}): \"{3}\" has the wrong type (expected {4})",
    "Библиотека компонентов {0}, компонент {1} ({2}): у \"{3}\" неверный тип (ожидается {4})"};
// {4}: the name's length in characters.
inline constexpr Text kComponentNameInvalid{
    "Component library {0}, component {1} ({2}): \"{3}\" must be 1 to 20 characters without "
    "commas, quotes, control characters or blanks at its ends, and not a number",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" должно содержать от 1 до 20 "
    "символов без запятых, кавычек, управляющих символов и пробелов по краям и не быть числом"};
// {3}: the field, {4}: the name, {5}: the component that already has it.
inline constexpr Text kComponentNameTaken{
    "Component library {0}, component {1} ({2}): the name \"{4}\" of \"{3}\" is already the "
    "name of {5}",
    "Библиотека компонентов {0}, компонент {1} ({2}): имя \"{4}\" в \"{3}\" уже принадлежит "
    "компоненту {5}"};
inline constexpr Text kComponentTableShort{
    "Component library {0}, component {1} ({2}): the table \"{3}\" needs 2 to 1000 rows and as "
    "many values as temperatures",
    "Библиотека компонентов {0}, компонент {1} ({2}): таблица \"{3}\" должна иметь от 2 до 1000 "
    "строк и столько же значений, сколько температур"};
inline constexpr Text kComponentTableNotAscending{
    "Component library {0}, component {1} ({2}): the values of \"{3}\" must rise strictly",
    "Библиотека компонентов {0}, компонент {1} ({2}): значения \"{3}\" должны строго "
    "возрастать"};
inline constexpr Text kComponentRangeInvalid{
    "Component library {0}, component {1} ({2}): \"{3}\" must be two temperatures, the lower "
    "first, above -273.15 °C",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" должно содержать две температуры "
    "выше -273,15 °C, меньшую первой"};
// {4}: what is allowed.
inline constexpr Text kComponentValueOutOfRange{
    "Component library {0}, component {1} ({2}): \"{3}\" must be {4}",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" должно быть {4}"};
inline constexpr Text kComponentDuplicateGroup{
    "Component library {0}, component {1} ({2}): \"{3}\" names a group given before",
    "Библиотека компонентов {0}, компонент {1} ({2}): \"{3}\" повторяет уже указанную группу"};
// {3}: the boiling temperature found, or "none".
inline constexpr Text kComponentNoBoilingPoint{
    "Component library {0}, component {1} ({2}): the constants of \"antoine\" give no boiling "
    "temperature at 760 mm Hg between -150 and 400 °C ({3}); they must be for ln(P / mm Hg) "
    "with T in K (see docs/components.md for converting log10 and °C constants)",
    "Библиотека компонентов {0}, компонент {1} ({2}): константы \"antoine\" не дают температуры "
    "кипения при 760 мм рт.ст. между -150 и 400 °C ({3}); нужны константы для ln(P / мм рт.ст.) "
    "при T в K (пересчёт констант для log10 и °C описан в docs/components.md)"};
// {3}, {4}: the range, °C.
inline constexpr Text kComponentPressureNotRising{
    "Component library {0}, component {1} ({2}): the vapour pressure of \"antoine\" does not rise "
    "with temperature from {3} to {4} °C",
    "Библиотека компонентов {0}, компонент {1} ({2}): давление пара по \"antoine\" не растёт с "
    "температурой от {3} до {4} °C"};

inline constexpr Text kWordNumber{"a number", "число"};
inline constexpr Text kWordText{"a text", "текст"};
inline constexpr Text kWordObject{"an object", "объект"};
inline constexpr Text kWordList{"a list", "список"};
inline constexpr Text kWordWholeNumber{"a whole number", "целое число"};
inline constexpr Text kMainGroupRange{"a whole number 1 to 18", "целым числом от 1 до 18"};
inline constexpr Text kGroupCountRange{"a whole number 1 to 255", "целым числом от 1 до 255"};
inline constexpr Text kGroupLetterRange{"\"A\", \"B\", \"C\" or \" \"",
                                        "\"A\", \"B\", \"C\" или \" \""};
inline constexpr Text kGroupListRange{"a list of 1 to 10 groups", "списком от 1 до 10 групп"};

// ---- Data sets ----

// {0}: file name, {1}: the reason in words.
inline constexpr Text kDataSetUnreadable{"Data set {0} cannot be read: {1}",
                                         "Набор данных {0} не удаётся прочитать: {1}"};
// {0}: file name, {1}: the largest size in bytes.
inline constexpr Text kDataSetTooLarge{"Data set {0} is larger than {1} bytes",
                                       "Набор данных {0} больше {1} байт"};
// {0}: file name, {1}: line.
inline constexpr Text kDataSetNotUtf8{"Data set {0}, line {1}: the text is not valid UTF-8",
                                      "Набор данных {0}, строка {1}: текст не в кодировке UTF-8"};
inline constexpr Text kDataSetComponentsLine{
    "Data set {0}, line {1}: expected \"components,NAME,NAME\" (two component names or numbers)",
    "Набор данных {0}, строка {1}: ожидается \"components,ИМЯ,ИМЯ\" (два имени или номера "
    "компонентов)"};
inline constexpr Text kDataSetHeaderLine{
    "Data set {0}, line {1}: expected the header \"t_c,p_mmhg,x1,y1\"",
    "Набор данных {0}, строка {1}: ожидается заголовок \"t_c,p_mmhg,x1,y1\""};
// {2}: column, {3}: the name given.
inline constexpr Text kDataSetUnknownComponent{
    "Data set {0}, line {1}, column {2}: \"{3}\" is not a component of the database or of the "
    "loaded library",
    "Набор данных {0}, строка {1}, столбец {2}: \"{3}\" нет ни в базе данных, ни в загруженной "
    "библиотеке"};
inline constexpr Text kDataSetComponentTwice{
    "Data set {0}, line {1}, column {2}: \"{3}\" names the first component again",
    "Набор данных {0}, строка {1}, столбец {2}: \"{3}\" повторяет первый компонент"};
// {2}: fields found.
inline constexpr Text kDataSetFieldCount{
    "Data set {0}, line {1}: a point has 4 values t_c,p_mmhg,x1,y1, not {2}",
    "Набор данных {0}, строка {1}: точка содержит 4 значения t_c,p_mmhg,x1,y1, а не {2}"};
// {2}: column, {3}: the field's name, {4}: the text.
inline constexpr Text kDataSetNotNumber{
    "Data set {0}, line {1}, column {2} ({3}): \"{4}\" is not a finite number",
    "Набор данных {0}, строка {1}, столбец {2} ({3}): \"{4}\" не является конечным числом"};
inline constexpr Text kDataSetFractionRange{
    "Data set {0}, line {1}, column {2} ({3}): {4} is outside 0..1",
    "Набор данных {0}, строка {1}, столбец {2} ({3}): {4} вне диапазона 0..1"};
inline constexpr Text kDataSetPressureRange{
    "Data set {0}, line {1}, column {2} ({3}): {4} mm Hg is not above zero",
    "Набор данных {0}, строка {1}, столбец {2} ({3}): {4} мм рт.ст. не больше нуля"};
inline constexpr Text kDataSetTemperatureRange{
    "Data set {0}, line {1}, column {2} ({3}): {4} °C is not above -273.15 °C",
    "Набор данных {0}, строка {1}, столбец {2} ({3}): {4} °C не выше -273,15 °C"};
// {1}: points found, {2}, {3}: the limits.
inline constexpr Text kDataSetPointCount{
    "Data set {0} holds {1} points; {2} to {3} are allowed",
    "Набор данных {0} содержит {1} точек; допускается от {2} до {3}"};
// {1}, {2}: the pair, {3}: points of the pair with this set, {4}: the largest number.
inline constexpr Text kDataSetPairTooLarge{
    "Data set {0}: the pair {1}-{2} would have {3} loaded points; at most {4} can be fitted",
    "Набор данных {0}: у пары {1}-{2} было бы {3} загруженных точек; подбор допускает не более "
    "{4}"};

// ---- The grown database ----

// {0}, {1}: the components of the pair, {2}: the points.
inline constexpr Text kDataSetPairNoPoints{"There are no points for the pair {0}-{1}",
                                           "Для пары {0}-{1} нет точек"};

// {0}: the number of components asked for.
inline constexpr Text kMixtureTooLarge{"A mixture has 2 to 4 components, not {0}",
                                       "Смесь содержит от 2 до 4 компонентов, а не {0}"};

// ---- Loading and removing them in the desktop program ----

// {0}: the set's position (from 1), {1}: how many sets are loaded.
inline constexpr Text kNoSuchDataSet{"There is no loaded data set {0} (sets loaded: {1})",
                                     "Загруженного набора данных {0} нет (загружено наборов: {1})"};
inline constexpr Text kLibraryOpenCaption{"Load components", "Загрузка компонентов"};
inline constexpr Text kLibraryFilter{"Component libraries|*.json|All files|*",
                                     "Библиотеки компонентов|*.json|Все файлы|*"};
inline constexpr Text kDataSetOpenCaption{"Load data sets", "Загрузка наборов данных"};
inline constexpr Text kDataSetFilter{"Data sets|*.csv|All files|*",
                                     "Наборы данных|*.csv|Все файлы|*"};
// {0}: the library loaded, {1}: the file chosen.
inline constexpr Text kReplaceLibraryQuestion{"Replace the component library {0} by {1}?",
                                              "Заменить библиотеку компонентов {0} на {1}?"};
// Added to the question, one line per set: {0}: the set's file.
inline constexpr Text kReplaceLibrarySetsGo{
    "These loaded data sets name its components and are removed with it:",
    "Эти загруженные наборы данных содержат её компоненты и будут удалены вместе с ней:"};
inline constexpr Text kReplaceLibraryNoSets{"No loaded data set names its components.",
                                            "Ни один загруженный набор данных не содержит её "
                                            "компонентов."};
// Added when the last session's parameter set names a library component.
inline constexpr Text kReplaceLibraryParameterSetGoes{
    "The parameter set of the last session names its components and is forgotten.",
    "Набор параметров последнего расчета содержит её компоненты и будет забыт."};
// {0}: the file, {1}: how many components it holds.
inline constexpr Text kLibraryLoaded{"Component library {0} loaded: {1} components",
                                     "Загружена библиотека компонентов {0}: компонентов {1}"};
// {0}: the file, {1}, {2}: the pair, {3}: points.
inline constexpr Text kDataSetLoaded{"Data set {0} loaded: {1}-{2}, {3} points",
                                     "Загружен набор данных {0}: {1}-{2}, точек {3}"};

}  // namespace bubblix
