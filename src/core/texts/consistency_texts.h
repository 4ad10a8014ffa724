#pragma once
// Texts of the thermodynamic consistency tests of equilibrium data: the report lines, the
// warnings of the plausibility checks, the refusals and the picture of the activity
// coefficients. Temperatures in °C (differences in K), pressures in mm Hg, compositions as
// mole fractions of the set's first component (component 1).

#include "core/texts/text.h"

namespace bubblix {

// --- Heading ---------------------------------------------------------------------------------

// {0}, {1} the names of components 1 and 2; {2} the number of points; {3} the kind line.
inline constexpr Text kConsistencyHeading{
    "Thermodynamic consistency of the equilibrium data {0}-{1} (component 1: {0}), {2} points, "
    "{3}",
    "Термодинамическая согласованность данных о равновесии {0}-{1} (компонент 1: {0}), точек: "
    "{2}, {3}"};
// {0} P, mm Hg.
inline constexpr Text kConsistencyIsobaric{"isobaric at P = {0} mm Hg",
                                           "изобарные при P = {0} мм рт.ст."};
// {0} t, °C.
inline constexpr Text kConsistencyIsothermal{"isothermal at t = {0} °C",
                                             "изотермические при t = {0} °C"};
// {0}, {1} the range of t, °C; {2}, {3} the range of P, mm Hg.
inline constexpr Text kConsistencyMixed{
    "neither isobaric nor isothermal (t {0} to {1} °C, P {2} to {3} mm Hg)",
    "ни изобарные, ни изотермические (t от {0} до {1} °C, P от {2} до {3} мм рт.ст.)"};
// {0} the number of points with 0 < x1 < 1 and 0 < y1 < 1.
inline constexpr Text kConsistencyPointsUsed{
    "  Activity coefficients from the data (modified Raoult law) at {0} points with 0 < x1 < 1 "
    "and 0 < y1 < 1",
    "  Коэффициенты активности по данным (модифицированный закон Рауля) в {0} точках с "
    "0 < x1 < 1 и 0 < y1 < 1"};

// --- Verdicts --------------------------------------------------------------------------------

inline constexpr Text kVerdictConsistent{"consistent", "согласованы"};
inline constexpr Text kVerdictInconsistent{"inconsistent", "не согласованы"};
inline constexpr Text kVerdictNotApplicable{"not applicable", "не применим"};
inline constexpr Text kVerdictNotValidTwoLiquids{"not valid for two liquid phases",
                                                 "не применим при двух жидких фазах"};

// --- Area tests ------------------------------------------------------------------------------

// {0} D, {1} J, {2} D - J, {3} the verdict.
inline constexpr Text kHeringtonLine{
    "  Area test (Herington): D = {0}, J = {1}, D - J = {2}; consistent when D - J < 10: {3}",
    "  Тест площадей (Херингтон): D = {0}, J = {1}, D - J = {2}; согласованы при D - J < 10: "
    "{3}"};
// {0} D, {1} the verdict.
inline constexpr Text kRedlichKisterLine{
    "  Area test (Redlich-Kister): D = {0}; consistent when D < 10: {1}",
    "  Тест площадей (Редлих-Кистер): D = {0}; согласованы при D < 10: {1}"};
// {0} D.
inline constexpr Text kAreaNotApplicableLine{
    "  Area test: not applicable to a set that is neither isobaric nor isothermal (D = {0})",
    "  Тест площадей: не применим к данным, не изобарным и не изотермическим (D = {0})"};
inline constexpr Text kAreaNotComputedLine{
    "  Area test: not computed, the set has fewer than two points of distinct x1 with "
    "0 < x1 < 1 and 0 < y1 < 1",
    "  Тест площадей: не рассчитан, в наборе меньше двух точек с различными x1, 0 < x1 < 1 и "
    "0 < y1 < 1"};

inline constexpr Text kAreaTooFewAbscissae{
    "The area test needs points at two or more distinct x1",
    "Для теста площадей нужны точки по крайней мере при двух различных x1"};

// --- Point test ------------------------------------------------------------------------------

// {0} m, {1} what was fitted (kFittedTemperatures or kFittedPressures).
inline constexpr Text kPointTestHeading{
    "  Point test (Van Ness-Byer-Gibbs, Legendre series of m = {0} terms, fitted to {1}):",
    "  Тест по точкам (Ван Несс-Байер-Гиббс, ряд Лежандра из m = {0} членов по {1}):"};
inline constexpr Text kFittedTemperatures{"the measured temperatures", "измеренным температурам"};
inline constexpr Text kFittedPressures{"the measured pressures", "измеренным давлениям"};
// {0} the list "a0 = ..., a1 = ...".
inline constexpr Text kPointTestCoefficients{"    {0}", "    {0}"};
// {0} mean |dy1|, {1} mean |dt| in K, {2} Durbin-Watson, {3} the verdict.
inline constexpr Text kPointTestResultT{
    "    mean |dy1| = {0}, mean |dt| = {1} K, Durbin-Watson d = {2}; consistent when "
    "mean |dy1| < 0.01: {3}",
    "    среднее |dy1| = {0}, среднее |dt| = {1} K, Дарбин-Уотсон d = {2}; согласованы при "
    "среднем |dy1| < 0,01: {3}"};
// {0} mean |dy1|, {1} mean |dP| in mm Hg, {2} Durbin-Watson, {3} the verdict.
inline constexpr Text kPointTestResultP{
    "    mean |dy1| = {0}, mean |dP| = {1} mm Hg, Durbin-Watson d = {2}; consistent when "
    "mean |dy1| < 0.01: {3}",
    "    среднее |dy1| = {0}, среднее |dP| = {1} мм рт.ст., Дарбин-Уотсон d = {2}; согласованы "
    "при среднем |dy1| < 0,01: {3}"};
// {0} the reason (an error message).
inline constexpr Text kPointTestFailedLine{"  Point test: could not be completed: {0}",
                                           "  Тест по точкам: не выполнен: {0}"};
inline constexpr Text kPointTestTooFewPoints{
    "the set has fewer points with 0 < x1 < 1 than the series has terms",
    "в наборе точек с 0 < x1 < 1 меньше, чем членов ряда"};
// {0} the point's number in the set, {1} x1, {2} the reason.
inline constexpr Text kPointTestBubbleFailed{
    "no bubble point of the series at point {0} (x1 = {1}): {2}",
    "не найдена точка кипения ряда в точке {0} (x1 = {1}): {2}"};
inline constexpr Text kPointTestFitFailed{
    "the least-squares fit of the series did not converge",
    "подбор коэффициентов ряда методом наименьших квадратов не сошелся"};

// --- End points and plausibility -------------------------------------------------------------

// {0} x1 (0 or 1), {1} the measured t, °C; {2} the component's name; {3} its boiling t at the
// point's pressure, °C; {4} the difference, K.
inline constexpr Text kEndPointT{
    "  End point x1 = {0}: measured t = {1} °C, pure {2} boils at {3} °C, difference {4} K",
    "  Крайняя точка x1 = {0}: измерено t = {1} °C, чистый {2} кипит при {3} °C, разность {4} K"};
// {0} x1, {1} the measured P, mm Hg; {2} the name; {3} its vapour pressure, mm Hg; {4} the
// difference, mm Hg.
inline constexpr Text kEndPointP{
    "  End point x1 = {0}: measured P = {1} mm Hg, vapour pressure of pure {2} {3} mm Hg, "
    "difference {4} mm Hg",
    "  Крайняя точка x1 = {0}: измерено P = {1} мм рт.ст., давление пара чистого {2} {3} мм "
    "рт.ст., разность {4} мм рт.ст."};
inline constexpr Text kNoEndPoints{
    "  The set has no points at x1 = 0 or x1 = 1 to compare with the vapour pressures",
    "  В наборе нет точек x1 = 0 или x1 = 1 для сравнения с давлением пара"};
// {0} x1, {1} the difference with its unit.
inline constexpr Text kWarningEndPoint{
    "the end point x1 = {0} differs from the pure component's vapour pressure by {1}",
    "крайняя точка x1 = {0} отличается от давления пара чистого компонента на {1}"};
// {0} first point of the block, {1} its last point (numbers in the set), {2} the first and
// {3} the last point of the block repeated.
inline constexpr Text kWarningRepeatedBlock{
    "points {0} to {1} repeat the temperatures of points {2} to {3} in the same order",
    "точки {0}-{1} повторяют температуры точек {2}-{3} в том же порядке"};
// {0}, {1} the two points' numbers in the set.
inline constexpr Text kWarningRepeatedPoint{"point {1} repeats point {0}",
                                            "точка {1} повторяет точку {0}"};
// {0}, {1} the points' numbers, {2}, {3} their x1, {4}, {5} their y1.
inline constexpr Text kWarningFallingVapour{
    "y1 falls from {4} to {5} while x1 rises from {2} to {3} (points {0} and {1}): a single "
    "stable liquid cannot do that",
    "y1 падает с {4} до {5} при росте x1 с {2} до {3} (точки {0} и {1}): у одной устойчивой "
    "жидкости так не бывает"};
// {0} the point's number, {1} x1 = y1.
inline constexpr Text kWarningAzeotropePoint{"point {0} is an azeotrope in the data: x1 = y1 = {1}",
                                             "точка {0} - азеотроп в данных: x1 = y1 = {1}"};
// {0}, {1} the range of x1; {2} the number of points; {3} the spread of t in K; {4} that of y1.
inline constexpr Text kWarningTwoLiquids{
    "two liquid phases likely: for {0} <= x1 <= {1} ({2} points) t stays within {3} K and y1 "
    "within {4}; the area and point tests assume one liquid and are not valid for this set",
    "вероятны две жидкие фазы: при {0} <= x1 <= {1} (точек: {2}) t меняется не более чем на "
    "{3} K, y1 - не более чем на {4}; тесты площадей и по точкам предполагают одну жидкость и "
    "для этого набора не применимы"};
// The same for an isothermal set: {3} the spread of P, mm Hg.
inline constexpr Text kWarningTwoLiquidsPressure{
    "two liquid phases likely: for {0} <= x1 <= {1} ({2} points) P stays within {3} mm Hg and "
    "y1 within {4}; the area and point tests assume one liquid and are not valid for this set",
    "вероятны две жидкие фазы: при {0} <= x1 <= {1} (точек: {2}) P меняется не более чем на "
    "{3} мм рт.ст., y1 - не более чем на {4}; тесты площадей и по точкам предполагают одну "
    "жидкость и для этого набора не применимы"};
// {0} the warning text.
inline constexpr Text kWarningLine{"  Warning: {0}", "  Внимание: {0}"};

// --- Refused input ---------------------------------------------------------------------------

// {0} the point's number, {1} what is wrong.
inline constexpr Text kDataPointInvalid{"Equilibrium data, point {0}: {1}",
                                        "Данные о равновесии, точка {0}: {1}"};
inline constexpr Text kDataTooFewPoints{
    "Equilibrium data: the consistency tests need at least 3 points, the set has {0}",
    "Данные о равновесии: для проверки согласованности нужно не меньше 3 точек, в наборе {0}"};
// {0} m given.
inline constexpr Text kPointTestTermCount{
    "The Legendre series of the point test has 1 to 5 terms; {0} given",
    "Ряд Лежандра теста по точкам содержит от 1 до 5 членов; задано {0}"};
// {0}, {1} the database numbers given.
inline constexpr Text kConsistencyPairInvalid{
    "The consistency check needs two different components 1 to 4; {0} and {1} given",
    "Для проверки согласованности нужны два разных компонента 1-4; заданы {0} и {1}"};

// --- The picture of the activity coefficients ------------------------------------------------

// {0}, {1} the component names.
inline constexpr Text kGammaDiagramTitle{
    "Activity coefficients from the data {0}-{1} and the point test's series",
    "Коэффициенты активности по данным {0}-{1} и ряд теста по точкам"};
inline constexpr Text kGammaAxis{"ln γ", "ln γ"};
inline constexpr Text kLnGamma1Legend{"ln γ1 (data)", "ln γ1 (опыт)"};
inline constexpr Text kLnGamma2Legend{"ln γ2 (data)", "ln γ2 (опыт)"};
inline constexpr Text kLnRatioLegend{"ln(γ1/γ2) (data)", "ln(γ1/γ2) (опыт)"};
inline constexpr Text kLnGamma1SeriesLegend{"ln γ1 (series)", "ln γ1 (ряд)"};
inline constexpr Text kLnGamma2SeriesLegend{"ln γ2 (series)", "ln γ2 (ряд)"};
inline constexpr Text kLnRatioSeriesLegend{"ln(γ1/γ2) (series)", "ln(γ1/γ2) (ряд)"};

}  // namespace bubblix
