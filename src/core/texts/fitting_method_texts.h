#pragma once
// Texts of the fitting method as a front end chooses it: the objectives as the desktop's
// dialog lists them, the dialog itself, and the refusals of what was typed into it.

#include "core/texts/text.h"

namespace bubblix::texts {

// The objectives, in the order of kFitObjectives (fitting/objective_fit.h).
inline constexpr Text kObjectiveChoiceY1{
    "y1: the gradient method's sum of the first component's vapour fraction (default)",
    "y1: сумма по доле первого компонента в паре, градиентный метод (по умолчанию)"};
inline constexpr Text kObjectiveChoiceY{"y: both components' vapour fractions, unweighted",
                                        "y: доли обоих компонентов в паре, без весов"};
inline constexpr Text kObjectiveChoiceBubble{
    "bubble: bubble temperatures or pressures and y1, weighted by the σ's",
    "bubble: температуры или давления кипения и y1, с весами по σ"};
inline constexpr Text kObjectiveChoiceML{
    "ml: maximum likelihood with errors in t, P, x and y1, weighted by the σ's",
    "ml: максимум правдоподобия с погрешностями t, P, x и y1, с весами по σ"};

// The menu and the dialog. The Options menu: English O (free on the bar), Russian Н.
inline constexpr Text kOptionsMenu{"&Options", "&Настройки"};
inline constexpr Text kFittingMethodAction{"Fitting &method…", "&Метод подбора параметров…"};
inline constexpr Text kFittingMethodHint{
    "The objective of the fits, the measurement uncertainties, fixed parameters and bounds",
    "Целевая функция подбора, погрешности измерений, фиксированные параметры и границы"};
inline constexpr Text kFittingMethodCaption{"Fitting method", "Метод подбора параметров"};
inline constexpr Text kFittingObjectiveGroup{"&Objective", "&Целевая функция"};
inline constexpr Text kFittingSigmaGroup{"Measurement uncertainties σ", "Погрешности измерений σ"};
inline constexpr Text kFittingSigmaT{"&t, K:", "&t, K:"};
inline constexpr Text kFittingSigmaP{"&P, mm Hg:", "&P, мм рт.ст.:"};
inline constexpr Text kFittingSigmaX{"&x:", "&x:"};
inline constexpr Text kFittingSigmaY{"&y:", "&y:"};
inline constexpr Text kFittingLimitsGroup{
    "Fixed parameters and bounds (values in the units of the result line: kJ/mol, K for "
    "UNIFAC, α as it is; an empty cell sets nothing)",
    "Фиксированные параметры и границы (значения в единицах строки результата: кДж/моль, K "
    "для UNIFAC, α как есть; пустая клетка ничего не задает)"};
inline constexpr Text kFittingColumnPair{"Pair (I-J)", "Пара (I-J)"};
inline constexpr Text kFittingColumnModel{"Model", "Модель"};
inline constexpr Text kFittingColumnParameter{"Parameter", "Параметр"};
inline constexpr Text kFittingColumnFixed{"Fixed at", "Фиксировать"};
inline constexpr Text kFittingColumnLower{"Lower bound", "Нижняя граница"};
inline constexpr Text kFittingColumnUpper{"Upper bound", "Верхняя граница"};
inline constexpr Text kFittingAddRow{"&Add a row", "&Добавить строку"};
inline constexpr Text kFittingAddRowHint{
    "A row for a UNIFAC group parameter (a0[1,5], a[1A,5A]) or for one pair only",
    "Строка для параметра групп UNIFAC (a0[1,5], a[1A,5A]) или для одной пары"};
inline constexpr Text kFittingDefaults{"&Defaults", "По &умолчанию"};
inline constexpr Text kFittingAnyModel{"any", "любая"};

// Refusals of the dialog's entries. {2}{0} names the field: {2} one of the field texts below,
// {0} the row's parameter (or nothing, for a σ); {1}: what was typed.
inline constexpr Text kFittingNotANumber{"{2}{0}: \"{1}\" is not a number",
                                         "{2}{0}: \"{1}\" - не число"};
inline constexpr Text kFittingSigmaNotPositive{
    "{2}{0}: the uncertainty must be above zero, not {1}",
    "{2}{0}: погрешность должна быть больше нуля, а не {1}"};
inline constexpr Text kFittingUnknownParameter{
    "{2}{0}: \"{1}\" names no parameter (l12-l11, l21-l22, g12-g22, g21-g11, alp12, u12-u22, "
    "u21-u11, a0[M,N], a[MA,NB])",
    "{2}{0}: \"{1}\" не называет параметр (l12-l11, l21-l22, g12-g22, g21-g11, alp12, u12-u22, "
    "u21-u11, a0[M,N], a[MA,NB])"};
// {2}: the highest component number, {3}: the field text.
inline constexpr Text kFittingUnknownPair{
    "{3}{0}: \"{1}\" is no pair: two different component numbers from 1 to {2}, as 1-3",
    "{3}{0}: \"{1}\" - не пара: два разных номера компонентов от 1 до {2}, например 1-3"};
// {0}: the row's parameter, {1}, {2}: lower and upper bound as typed.
inline constexpr Text kFittingBoundsReversed{
    "Bounds of {0}: the lower bound {1} is above the upper bound {2}",
    "Границы {0}: нижняя граница {1} больше верхней {2}"};
// {0}: the row's parameter, {1}: the fixed value as typed.
inline constexpr Text kFittingFixedOutside{
    "Fixed value of {0}: {1} lies outside the parameter's bounds",
    "Фиксированное значение {0}: {1} лежит вне границ параметра"};
// {0}: the row, 1-based.
inline constexpr Text kFittingRowNoParameter{"Row {0}: a value is given, but no parameter",
                                             "Строка {0}: значение задано, а параметр нет"};
// The field texts.
inline constexpr Text kFittingFieldFixed{"Fixed value of ", "Фиксированное значение "};
inline constexpr Text kFittingFieldLower{"Lower bound of ", "Нижняя граница "};
inline constexpr Text kFittingFieldUpper{"Upper bound of ", "Верхняя граница "};
inline constexpr Text kFittingFieldPair{"Pair of ", "Пара для "};
inline constexpr Text kFittingFieldParameter{"Parameter of row ", "Параметр строки "};
inline constexpr Text kFittingFieldSigmaT{"σ of t", "σ температуры"};
inline constexpr Text kFittingFieldSigmaP{"σ of P", "σ давления"};
inline constexpr Text kFittingFieldSigmaX{"σ of x", "σ x"};
inline constexpr Text kFittingFieldSigmaY{"σ of y", "σ y"};

// The fitting report's lines on a method other than y1, after its title. {0}: the objective's
// name, {1}: its σ's ("" when it takes none), each as kFittingReportSigma.
inline constexpr Text kFittingReportMethod{" Fitting method: objective {0}{1}",
                                           " Метод подбора: целевая функция {0}{1}"};
// {0}: t, P, x or y, {1}: the value with its unit.
inline constexpr Text kFittingReportSigma{",  σ {0} = {1}", ",  σ {0} = {1}"};
// {0}: the parameter's label, {1}: the pair ("every pair" or "pair 1-3"), then what holds it.
inline constexpr Text kFittingReportFixed{"   {0} ({1}) fixed at {2}",
                                          "   {0} ({1}) фиксирован: {2}"};
inline constexpr Text kFittingReportBounds{"   {0} ({1}) bounded: {2} .. {3}",
                                           "   {0} ({1}) в границах: {2} .. {3}"};
inline constexpr Text kFittingReportEveryPair{"every pair", "все пары"};
// {0}-{1}: database numbers.
inline constexpr Text kFittingReportPair{"pair {0}-{1}", "пара {0}-{1}"};
inline constexpr Text kFittingReportMmHg{"mm Hg", "мм рт.ст."};

// The status line after the dialog. {0}: the objective's name.
inline constexpr Text kFittingMethodChosen{"Fitting method: objective {0}",
                                           "Метод подбора: целевая функция {0}"};

}  // namespace bubblix::texts
