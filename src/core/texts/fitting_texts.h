#pragma once
// Texts of the fitting objectives and of the binary fits.

#include "core/texts/text.h"

namespace bubblix::texts {

// The progress line of a running fit. {0}: the minimiser's iteration counter, {1} and {2}:
// the names of the pair's components, {3}: the root-mean-square error sqrt(F / N).
inline constexpr Text kFitProgressLine{
    " Number of iterations {0};  root-mean-square error for system {1}-{2}:  E = {3}",
    " Число итераций {0};  среднеквадратичная погрешность для системы {1}-{2}:  E = {3}"};

// {0}, {1}: 1-based positions of the pair's components in the mixture.
inline constexpr Text kFitPairInvalid{
    "Components {0} and {1} of the mixture do not form a pair that can be fitted",
    "Компоненты {0} и {1} смеси не образуют пару, параметры которой можно подобрать"};

// {0}-{1}: the pair's component names.
inline constexpr Text kFitNoPoints{"There are no experimental points for the system {0}-{1}",
                                   "Для системы {0}-{1} нет экспериментальных точек"};

// {0}-{1}: the pair's component names, {2}: the number of points, {3}: the capacity.
inline constexpr Text kFitTooManyPoints{
    "The system {0}-{1} has {2} experimental points; at most {3} can be fitted",
    "Система {0}-{1} содержит {2} экспериментальных точек; подбор возможен не более чем по {3}"};

// {0}-{1}: the pair's component names, {2}: the pressure, Pa.
inline constexpr Text kFitPressureInvalid{
    "The pressure of the experimental data of the system {0}-{1} is not a positive number ({2} "
    "Pa)",
    "Давление экспериментальных данных системы {0}-{1} не является положительным числом ({2} "
    "Па)"};

// {0}-{1}: the pair's component names, {2}: the 1-based point number.
inline constexpr Text kFitPointInvalid{
    "Experimental point {2} of the system {0}-{1} has a composition outside 0..1 or a "
    "temperature that is not a number",
    "Экспериментальная точка {2} системы {0}-{1} имеет состав вне диапазона 0..1 или "
    "нечисловую температуру"};

// {0}-{1}: the pair's component names, {2}: the number of groups, {3}: parameters needed.
inline constexpr Text kFitTooManyGroupParameters{
    "The system {0}-{1} has {2} groups, which need {3} interaction parameters; the gradient "
    "method fits at most 20",
    "Система {0}-{1} содержит {2} групп, для которых нужно {3} параметров взаимодействия; "
    "градиентный метод подбирает не более 20"};

// {0}: the main-group number found.
inline constexpr Text kMainGroupNumberInvalid{
    "UNIFAC main group {0} is outside the table of main groups 1 to 18",
    "Основная группа UNIFAC {0} находится вне таблицы основных групп с 1 по 18"};

}  // namespace bubblix::texts
