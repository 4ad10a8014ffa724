#pragma once
// Texts of the activity-coefficient models and the equilibrium solvers.
// Temperatures are shown in degC, pressures in Pa, compositions as mole fractions.

#include "core/texts/text.h"

namespace bubblix {

// Shown (error icon, Yes/No, answer unused) when the inverse of the dew solver's Jacobian
// comes out with values that are not finite numbers. Russian in both interface languages.
inline constexpr Text kInversionArithmeticError{"Ошибка при обращении матрицы",
                                                "Ошибка при обращении матрицы"};

// Inputs refused before solving.
// {0} pressure, Pa
inline constexpr Text kSolverPressureNotPositive{"The pressure must be greater than zero: {0} Pa",
                                                 "Давление должно быть больше нуля: {0} Па"};
// {0} temperature, degC
inline constexpr Text kSolverTemperatureNotPositive{
    "The temperature must be above absolute zero (-273.15 °C): {0} °C",
    "Температура должна быть выше абсолютного нуля (-273,15 °C): {0} °C"};
// {0} name of the value (P, t, A, B, x1..x4, y1..y4), {1} the value
inline constexpr Text kSolverValueNotFinite{"The value {0} = {1} is not a finite number",
                                            "Значение {0} = {1} не является конечным числом"};
// {0} name of the mole fraction (x1..x4, y1..y4), {1} the value
inline constexpr Text kSolverNegativeFraction{"The mole fraction {0} = {1} is negative",
                                              "Мольная доля {0} = {1} отрицательна"};
// {0} number of components
inline constexpr Text kSolverComponentCount{
    "The parameter set holds {0} components; 1 to 4 are possible",
    "В наборе параметров {0} компонентов; допустимо от 1 до 4"};
// {0} number of groups
inline constexpr Text kSolverGroupCount{
    "The parameter set holds {0} UNIFAC groups; 1 to 10 are possible",
    "В наборе параметров {0} групп UNIFAC; допустимо от 1 до 10"};
// {0} component number (1..4), {1} number of its groups
inline constexpr Text kSolverComponentGroupCount{
    "Component {0} of the parameter set has {1} UNIFAC groups; 1 to 10 are possible",
    "Компонент {0} набора параметров содержит {1} групп UNIFAC; допустимо от 1 до 10"};

// Failures of the iterations used on their own. {0} the step, {1} iterations done.
inline constexpr Text kSolverStepFault{"Arithmetic fault in {0} after {1} iterations",
                                       "Арифметическая ошибка в {0} после {1} итераций"};
inline constexpr Text kSolverStepNoConvergence{"{0}: no convergence after {1} iterations",
                                               "{0}: нет сходимости за {1} итераций"};

// Bubble point, temperature unknown: {0} given P, Pa; {1} liquid x; {2} last t, degC.
inline constexpr Text kBubbleTemperatureNoConvergence{
    "Boiling temperature at P = {0} Pa, x = ({1}): no convergence after {3} secant passes; "
    "last t = {2} °C, sum y - 1 = {4}",
    "Температура кипения при P = {0} Па, x = ({1}): нет сходимости за {3} шагов метода "
    "секущих; последнее t = {2} °C, сумма y - 1 = {4}"};
inline constexpr Text kBubbleTemperatureNegativeRoot{
    "Boiling temperature at P = {0} Pa, x = ({1}): arithmetic fault in ParabolicStart, "
    "negative value under the root; start points t = {2} °C",
    "Температура кипения при P = {0} Па, x = ({1}): арифметическая ошибка в ParabolicStart, "
    "отрицательное значение под корнем; начальные точки t = {2} °C"};
inline constexpr Text kBubbleTemperatureZeroCurvature{
    "Boiling temperature at P = {0} Pa, x = ({1}): arithmetic fault in ParabolicStart, the "
    "three points lie on a straight line (zero quadratic coefficient); start points t = {2} °C",
    "Температура кипения при P = {0} Па, x = ({1}): арифметическая ошибка в ParabolicStart, "
    "три точки лежат на прямой (нулевой коэффициент параболы); начальные точки t = {2} °C"};
inline constexpr Text kBubbleTemperatureZeroSlope{
    "Boiling temperature at P = {0} Pa, x = ({1}): arithmetic fault in SecantSolve, zero "
    "secant slope after {3} passes; last t = {2} °C",
    "Температура кипения при P = {0} Па, x = ({1}): арифметическая ошибка в SecantSolve, "
    "нулевой наклон секущей после {3} шагов; последнее t = {2} °C"};
// {3} the step (ParabolicStart or SecantSolve)
inline constexpr Text kBubbleTemperatureNotFinite{
    "Boiling temperature at P = {0} Pa, x = ({1}): arithmetic fault in {3}, a value that is "
    "not a finite number; last t = {2} °C",
    "Температура кипения при P = {0} Па, x = ({1}): арифметическая ошибка в {3}, значение не "
    "является конечным числом; последнее t = {2} °C"};

// Bubble point, pressure unknown: {0} given t, degC; {1} liquid x; {2} last P, Pa.
inline constexpr Text kBubblePressureNoConvergence{
    "Boiling pressure at t = {0} °C, x = ({1}): no convergence after {3} secant passes; last "
    "P = {2} Pa, sum y - 1 = {4}",
    "Давление кипения при t = {0} °C, x = ({1}): нет сходимости за {3} шагов метода секущих; "
    "последнее P = {2} Па, сумма y - 1 = {4}"};
inline constexpr Text kBubblePressureNegativeRoot{
    "Boiling pressure at t = {0} °C, x = ({1}): arithmetic fault in ParabolicStart, negative "
    "value under the root; start points P = {2} Pa",
    "Давление кипения при t = {0} °C, x = ({1}): арифметическая ошибка в ParabolicStart, "
    "отрицательное значение под корнем; начальные точки P = {2} Па"};
inline constexpr Text kBubblePressureZeroCurvature{
    "Boiling pressure at t = {0} °C, x = ({1}): arithmetic fault in ParabolicStart, the three "
    "points lie on a straight line (zero quadratic coefficient); start points P = {2} Pa",
    "Давление кипения при t = {0} °C, x = ({1}): арифметическая ошибка в ParabolicStart, три "
    "точки лежат на прямой (нулевой коэффициент параболы); начальные точки P = {2} Па"};
inline constexpr Text kBubblePressureZeroSlope{
    "Boiling pressure at t = {0} °C, x = ({1}): arithmetic fault in SecantSolve, zero secant "
    "slope after {3} passes; last P = {2} Pa",
    "Давление кипения при t = {0} °C, x = ({1}): арифметическая ошибка в SecantSolve, нулевой "
    "наклон секущей после {3} шагов; последнее P = {2} Па"};
inline constexpr Text kBubblePressureNotFinite{
    "Boiling pressure at t = {0} °C, x = ({1}): arithmetic fault in {3}, a value that is not a "
    "finite number; last P = {2} Pa",
    "Давление кипения при t = {0} °C, x = ({1}): арифметическая ошибка в {3}, значение не "
    "является конечным числом; последнее P = {2} Па"};

// Dew point, temperature unknown: {0} given P, Pa; {1} vapour y; {2} last x; {3} last t, degC.
inline constexpr Text kDewTemperatureNoConvergence{
    "Dew temperature at P = {0} Pa, y = ({1}): no convergence after {4} Newton iterations; "
    "last x = ({2}), t = {3} °C, rms step = {5}",
    "Температура конденсации при P = {0} Па, y = ({1}): нет сходимости за {4} итераций "
    "Ньютона; последние x = ({2}), t = {3} °C, среднеквадратичный шаг {5}"};
// {4} the step (DewResidual, NumericJacobian or NewtonSolve)
inline constexpr Text kDewTemperatureNotFinite{
    "Dew temperature at P = {0} Pa, y = ({1}): arithmetic fault in {4}, a value that is not a "
    "finite number; last x = ({2}), t = {3} °C",
    "Температура конденсации при P = {0} Па, y = ({1}): арифметическая ошибка в {4}, значение "
    "не является конечным числом; последние x = ({2}), t = {3} °C"};
// {4} Newton iterations done
inline constexpr Text kDewTemperatureNegativeFraction{
    "Dew temperature at P = {0} Pa, y = ({1}): the Newton iteration ended at a negative mole "
    "fraction after {4} iterations; last x = ({2}), t = {3} °C",
    "Температура конденсации при P = {0} Па, y = ({1}): итерации Ньютона закончились на "
    "отрицательной мольной доле после {4} итераций; последние x = ({2}), t = {3} °C"};
// {4} Newton iterations done, {5} the largest residual
inline constexpr Text kDewTemperatureResidualNotSmall{
    "Dew temperature at P = {0} Pa, y = ({1}): the Newton steps met the tolerance after {4} "
    "iterations but the residual stayed at {5}; last x = ({2}), t = {3} °C",
    "Температура конденсации при P = {0} Па, y = ({1}): шаги Ньютона достигли точности за {4} "
    "итераций, но невязка осталась {5}; последние x = ({2}), t = {3} °C"};

// {4} Newton iterations done
inline constexpr Text kDewTemperatureSingularMatrix{
    "Dew temperature at P = {0} Pa, y = ({1}): the Jacobian of the Newton iteration is "
    "singular (a pivot below 1e-8) after {4} iterations; last x = ({2}), t = {3} °C",
    "Температура конденсации при P = {0} Па, y = ({1}): матрица Якоби итераций Ньютона "
    "вырождена (ведущий элемент меньше 1e-8) после {4} итераций; последние x = ({2}), "
    "t = {3} °C"};

// Dew point, pressure unknown: {0} given t, degC; {1} vapour y; {2} last x; {3} last P, Pa.
inline constexpr Text kDewPressureNoConvergence{
    "Dew pressure at t = {0} °C, y = ({1}): no convergence after {4} Newton iterations; last "
    "x = ({2}), P = {3} Pa, rms step = {5}",
    "Давление конденсации при t = {0} °C, y = ({1}): нет сходимости за {4} итераций Ньютона; "
    "последние x = ({2}), P = {3} Па, среднеквадратичный шаг {5}"};
inline constexpr Text kDewPressureNotFinite{
    "Dew pressure at t = {0} °C, y = ({1}): arithmetic fault in {4}, a value that is not a "
    "finite number; last x = ({2}), P = {3} Pa",
    "Давление конденсации при t = {0} °C, y = ({1}): арифметическая ошибка в {4}, значение не "
    "является конечным числом; последние x = ({2}), P = {3} Па"};
// {4} Newton iterations done
inline constexpr Text kDewPressureNegativeFraction{
    "Dew pressure at t = {0} °C, y = ({1}): the Newton iteration ended at a negative mole "
    "fraction after {4} iterations; last x = ({2}), P = {3} Pa",
    "Давление конденсации при t = {0} °C, y = ({1}): итерации Ньютона закончились на "
    "отрицательной мольной доле после {4} итераций; последние x = ({2}), P = {3} Па"};
// {4} Newton iterations done, {5} the largest residual
inline constexpr Text kDewPressureResidualNotSmall{
    "Dew pressure at t = {0} °C, y = ({1}): the Newton steps met the tolerance after {4} "
    "iterations but the residual stayed at {5}; last x = ({2}), P = {3} Pa",
    "Давление конденсации при t = {0} °C, y = ({1}): шаги Ньютона достигли точности за {4} "
    "итераций, но невязка осталась {5}; последние x = ({2}), P = {3} Па"};

// {4} Newton iterations done
inline constexpr Text kDewPressureSingularMatrix{
    "Dew pressure at t = {0} °C, y = ({1}): the Jacobian of the Newton iteration is singular "
    "(a pivot below 1e-8) after {4} iterations; last x = ({2}), P = {3} Pa",
    "Давление конденсации при t = {0} °C, y = ({1}): матрица Якоби итераций Ньютона "
    "вырождена (ведущий элемент меньше 1e-8) после {4} итераций; последние x = ({2}), "
    "P = {3} Па"};

// The note of a point outside the property data of a component (point_warnings.h):
// {0} the component, {1} and {2} its valid range, degC.
inline constexpr Text kRangeWarningText{
    "values extrapolated beyond the property data of {0}, {1} … {2} °C",
    "значения экстраполированы за пределы данных о свойствах {0}, {1} … {2} °C"};

}  // namespace bubblix
