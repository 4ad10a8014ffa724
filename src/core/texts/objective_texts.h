#pragma once
// Texts of the fits to the y, bubble and ml objectives: their errors and their report lines.

#include "core/texts/text.h"

namespace bubblix::texts {

// {0}-{1}: the pair's component names, {2}: the parameter's label, {3}, {4}: its bounds or
// fixed value (reduced).
inline constexpr Text kLimitsContradict{
    "System {0}-{1}: the limits of parameter {2} contradict each other ({3} .. {4})",
    "Система {0}-{1}: границы параметра {2} противоречат друг другу ({3} .. {4})"};

// {0}-{1}: the pair, {2}: residuals, {3}: free parameters.
inline constexpr Text kTooFewResiduals{
    "System {0}-{1}: {2} residuals cannot determine {3} free parameters",
    "Система {0}-{1}: по {2} невязкам нельзя определить {3} свободных параметров"};

// {0}-{1}: the pair, {2}: residuals, {3}: the points' unknowns, {4}: free parameters.
inline constexpr Text kTooFewResidualsMl{
    "System {0}-{1}: {2} residuals cannot determine {3} true values of the points and {4} free "
    "parameters",
    "Система {0}-{1}: по {2} невязкам нельзя определить {3} истинных значений точек и {4} "
    "свободных параметров"};

// {0}-{1}: the pair, {2}: the sigma's key (t, p, x, y), {3}: its value, {4}: the objective.
inline constexpr Text kSigmaInvalid{
    "System {0}-{1}: the uncertainty sigma {2} = {3} of the objective {4} must be a positive "
    "number",
    "Система {0}-{1}: погрешность sigma {2} = {3} целевой функции {4} должна быть "
    "положительным числом"};

// {0}-{1}: the pair.
inline constexpr Text kObjectiveStartNotEvaluated{
    "System {0}-{1}: the residuals of the objective cannot be evaluated at the start "
    "parameters (a bubble point not found)",
    "Система {0}-{1}: невязки целевой функции не вычисляются при начальных параметрах "
    "(не найдена точка кипения)"};

// The progress line of a Levenberg-Marquardt fit. {0}: the iteration, {1}-{2}: the pair,
// {3}: the objective's name, {4}: sqrt(sum r^2 / N_res) of the weighted residuals.
inline constexpr Text kObjectiveProgressLine{
    " Levenberg-Marquardt iteration {0};  system {1}-{2}, objective {3}:  "
    "sqrt(sum r^2 / N_res) of the weighted residuals = {4}",
    " Итерация Левенберга-Марквардта {0};  система {1}-{2}, целевая функция {3}:  "
    "sqrt(sum r^2 / N_res) взвешенных невязок = {4}"};

// The report block after the result line. {0}: the objective, {1}: chi2, {2}: nu,
// {3}: iterations.
inline constexpr Text kObjectiveSummary{
    " Objective {0}:  chi2 = {1},  degrees of freedom {2},  iterations {3}",
    " Целевая функция {0}:  chi2 = {1},  степеней свободы {2},  итераций {3}"};
// {0}: RMS of t, K or "-", {1}: RMS of P, mm Hg or "-", {2}: RMS of y1, {3}: E of y1.
inline constexpr Text kObjectiveRms{
    " RMS of the bubble points:  t {0} K,  P {1} mm Hg,  y1 {2};  E(y1) = {3}",
    " Среднеквадратичные отклонения точек кипения:  t {0} K,  P {1} мм рт.ст.,  y1 {2};  "
    "E(y1) = {3}"};
// ML, after the summary. {0}: the points' unknowns, {1}: residuals, {2}: chi2 / nu.
inline constexpr Text kMlSummary{
    " Maximum likelihood with errors in t, P, x1 and y1:  {0} true values of the points "
    "estimated,  {1} residuals,  chi2/nu = {2};  the intervals use the covariance scaled by "
    "chi2/nu",
    " Метод максимального правдоподобия с погрешностями t, P, x1 и y1:  оценено {0} истинных "
    "значений точек,  невязок {1},  chi2/nu = {2};  интервалы по ковариации, умноженной на "
    "chi2/nu"};
inline constexpr Text kKnownSigmaHeading{
    " With s^2 = 1 (the sigmas taken as known):  std. error   95% interval (normal quantile)",
    " При s^2 = 1 (погрешности sigma считаются известными):  станд. ошибка   95%-й интервал "
    "(квантиль нормального распределения)"};
// {0}: label, {1}: standard error, {2}: lower end, {3}: upper end.
inline constexpr Text kKnownSigmaRow{" {0}  {1}  {2} .. {3}", " {0}  {1}  {2} .. {3}"};
// {0}: RMS of x1, {1}: of t, K, {2}: of P, mm Hg, {3}: of y1, {4}: E of y1.
inline constexpr Text kMlRms{
    " RMS of the adjustments to the true values:  x1 {0},  t {1} K,  P {2} mm Hg,  y1 {3};  "
    "E(y1) = {4}",
    " Среднеквадратичные поправки к истинным значениям:  x1 {0},  t {1} K,  P {2} мм рт.ст.,  "
    "y1 {3};  E(y1) = {4}"};
inline constexpr Text kMlPointTableHeading{
    "  N      x1  x1 true     t exp    t true    P exp    P calc   y1 exp  y1 calc  g1 data  "
    "g1 model  g2 data  g2 model  residuals",
    "  N      x1  x1 истин    t эксп   t истин   P эксп   P расч   y1 эксп y1 расч  g1 данн  "
    "g1 модель g2 данн  g2 модель невязки"};

inline constexpr Text kParameterTableHeading{
    " Parameter         value      std. error     95% interval",
    " Параметр          значение   станд. ошибка  95%-й интервал"};
// {0}: label, {1}: value, {2}: standard error, {3}: lower end, {4}: upper end.
inline constexpr Text kParameterRow{" {0}  {1}  {2}  {3} .. {4}", " {0}  {1}  {2}  {3} .. {4}"};
// {0}: label, {1}: value.
inline constexpr Text kParameterFixedRow{" {0}  {1}  fixed: no interval",
                                         " {0}  {1}  фиксирован: интервала нет"};
inline constexpr Text kParameterAtBoundRow{" {0}  {1}  at a bound: no interval",
                                           " {0}  {1}  на границе: интервала нет"};
inline constexpr Text kParameterUndeterminedRow{" {0}  {1}  not determined",
                                                " {0}  {1}  не определён"};
// {0}: the condition number of J^T J.
inline constexpr Text kNotDetermined{
    " The parameters are not determined by the data: J^T J has the condition number {0}",
    " Параметры не определяются данными: число обусловленности J^T J равно {0}"};
inline constexpr Text kCorrelationHeading{" Correlation matrix:", " Матрица корреляции:"};
inline constexpr Text kPointTableHeading{
    "  N      x1     t exp    t calc    P exp    P calc   y1 exp  y1 calc  g1 data  g1 model  "
    "g2 data  g2 model  residuals",
    "  N      x1     t эксп   t расч    P эксп   P расч   y1 эксп y1 расч  g1 данн  g1 модель "
    "g2 данн  g2 модель невязки"};

}  // namespace bubblix::texts
