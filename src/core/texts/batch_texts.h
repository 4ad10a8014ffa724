#pragma once
// Texts of batch mode: many equilibrium points read from CSV, one result row each.
// The per-point messages go into the error column of the point's row; they start with the
// number of the line of the input (the header is line 1).

#include "core/texts/text.h"

namespace bubblix::texts {

// Refusals of the whole input. {0} the header expected.
inline constexpr Text kBatchNoHeader{"batch input: the header line is missing; expected \"{0}\"",
                                     "пакетный ввод: нет строки заголовка; ожидается \"{0}\""};
// {0} the header expected, {1} the header found (cut to 80 characters).
inline constexpr Text kBatchWrongHeader{
    "batch input: the header must be \"{0}\", found \"{1}\"",
    "пакетный ввод: заголовок должен быть \"{0}\", а найдено \"{1}\""};
// {0} line number
inline constexpr Text kBatchReadFailed{"batch input: reading failed at line {0}",
                                       "пакетный ввод: ошибка чтения в строке {0}"};
// {0} rows written
inline constexpr Text kBatchWriteFailed{"batch output: writing failed after {0} rows",
                                        "пакетный вывод: ошибка записи после {0} строк"};

// Refusals of one point. {0} line number, further arguments as noted.
inline constexpr Text kBatchEmptyLine{"line {0}: empty line, no point",
                                      "строка {0}: пустая строка, точки нет"};
// {1} the longest line read, in characters
inline constexpr Text kBatchLineTooLong{"line {0}: longer than {1} characters",
                                        "строка {0}: длиннее {1} символов"};
// {1} fields found, {2} fields expected, {3} the header
inline constexpr Text kBatchFieldCount{"line {0}: {1} fields instead of {2} ({3})",
                                       "строка {0}: {1} полей вместо {2} ({3})"};
// {1} the field as written
inline constexpr Text kBatchUnknownTask{"line {0}: task \"{1}\" is neither T nor P",
                                        "строка {0}: задача \"{1}\" - не T и не P"};
inline constexpr Text kBatchUnknownPhase{"line {0}: phase \"{1}\" is neither liquid nor vapour",
                                         "строка {0}: фаза \"{1}\" - не liquid и не vapour"};
// {1} the column (value, c1, c2, c3), {2} the field as written (cut to 40 characters)
// {1} the column left empty (value, c1, ...)
inline constexpr Text kBatchFieldEmpty{"line {0}: {1} is empty; the point needs it",
                                       "строка {0}: поле {1} не заполнено, а оно нужно точке"};
inline constexpr Text kBatchNotANumber{"line {0}: {1} \"{2}\" is not a number",
                                       "строка {0}: {1} \"{2}\" не является числом"};
// {1} pressure, mm Hg
inline constexpr Text kBatchPressureNotPositive{
    "line {0}: the pressure must be greater than zero: {1} mm Hg",
    "строка {0}: давление должно быть больше нуля: {1} мм рт.ст."};
// {1} temperature, degC
inline constexpr Text kBatchTemperatureTooLow{
    "line {0}: the temperature must be above absolute zero (-273.15 °C): {1} °C",
    "строка {0}: температура должна быть выше абсолютного нуля (-273,15 °C): {1} °C"};
// {1} the column (c1, c2, c3), {2} the value
inline constexpr Text kBatchPercentOutOfRange{
    "line {0}: the mole percent {1} must lie between 0 and 100: {2}",
    "строка {0}: мольный процент {1} должен быть от 0 до 100: {2}"};
// {1} the sum of the percents given, {2} the number of the last component
inline constexpr Text kBatchPercentSumAbove100{
    "line {0}: the mole percents add up to {1}, more than 100: nothing would be left for "
    "component {2}",
    "строка {0}: сумма мольных процентов равна {1}, больше 100: для компонента {2} ничего не "
    "остается"};
// {1} the solver's message
inline constexpr Text kBatchPointFailed{"line {0}: {1}", "строка {0}: {1}"};

}  // namespace bubblix::texts
