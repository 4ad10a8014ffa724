#pragma once
// Texts of the numerical routines: matrix inversion and the gradient minimiser.

#include "core/texts/text.h"

namespace bubblix::texts {

// The singular-matrix line is English in both interfaces.
inline constexpr Text kMatrixSingular{"matrix is singular", "matrix is singular"};
inline constexpr Text kMatrixTooLarge{"matrix inversion: order {0} is above 50",
                                      "обращение матрицы: порядок {0} больше 50"};
inline constexpr Text kMatrixInverseNotFinite{
    "matrix inversion: element ({0}, {1}) of the inverse is not finite (overflow or a "
    "non-finite element in the matrix)",
    "обращение матрицы: элемент ({0}, {1}) обратной матрицы не является конечным числом "
    "(переполнение или нечисловой элемент в матрице)"};

// The slow-convergence question of the gradient method, Abort/Retry. Russian in both
// interfaces; the line breaks after "Желаете".
inline constexpr Text kSlowConvergenceQuestion{
    "Слишком медленная сходимость градиентного метода. Желаете\r\n"
    "продолжить вычисления? Или закончить работу процедуры?",
    "Слишком медленная сходимость градиентного метода. Желаете\r\n"
    "продолжить вычисления? Или закончить работу процедуры?"};

inline constexpr Text kMinimizationAborted{
    "The gradient method was stopped by the user after {0} iterations",
    "Градиентный метод остановлен пользователем после {0} итераций"};
inline constexpr Text kMinimizationNoConvergence{
    "The gradient method has not converged in {0} iterations",
    "Градиентный метод не сошелся за {0} итераций"};
inline constexpr Text kObjectiveNotFiniteAtStart{
    "The objective function is not finite ({0}) at the start point of the gradient method",
    "Целевая функция не является конечным числом ({0}) в начальной точке градиентного метода"};
inline constexpr Text kObjectiveNotFinite{
    "The objective function is not finite ({0}) in iteration {1} of the gradient method",
    "Целевая функция не является конечным числом ({0}) на итерации {1} градиентного метода"};
inline constexpr Text kGradientNotFinite{
    "The numerical gradient is not finite in iteration {0} of the gradient method",
    "Численный градиент не является конечным на итерации {0} градиентного метода"};
inline constexpr Text kMinimizerParameterCount{
    "The gradient method needs 1 to 20 parameters, not {0}",
    "Градиентному методу нужно от 1 до 20 параметров, а не {0}"};
inline constexpr Text kMinimizerTolerance{
    "The tolerance of the gradient method must be a positive number, not {0}",
    "Точность градиентного метода должна быть положительным числом, а не {0}"};

// The least-squares fit (least_squares.h).
inline constexpr Text kLeastSquaresStartNotEvaluated{
    "least squares: the residuals cannot be evaluated at the start point",
    "метод наименьших квадратов: невязки не вычисляются в начальной точке"};

}  // namespace bubblix::texts
