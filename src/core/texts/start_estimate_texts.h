#pragma once
// Texts of the start vector of a fit of a pair without built-in start values: the report line
// that says which start the fit took.

#include "core/texts/text.h"

namespace bubblix::texts {

// {0}: the start values as the result line writes them ("  l12-l11 = 1.2 kJ/mole; ...").
inline constexpr Text kStartFromUnifac{
    "Start values estimated by UNIFAC with the reference group parameters:{0}",
    "Начальные значения оценены по UNIFAC с литературными параметрами групп:{0}"};
// {0}: as above; {1}, {2}: the two main groups.
inline constexpr Text kStartFixedNoReference{
    "Fixed start values (UNIFAC has no reference parameter of main groups {1} and {2}):{0}",
    "Постоянные начальные значения (в UNIFAC нет литературного параметра основных групп {1} "
    "и {2}):{0}"};
// {0}: as above; {1}: the main group.
inline constexpr Text kStartFixedNoReferenceGroup{
    "Fixed start values (UNIFAC has no reference parameters of main group {1}):{0}",
    "Постоянные начальные значения (в UNIFAC нет литературных параметров основной группы "
    "{1}):{0}"};
// {0}: as above.
inline constexpr Text kStartFixedEstimateFailed{
    "Fixed start values (the UNIFAC estimate did not converge):{0}",
    "Постоянные начальные значения (оценка по UNIFAC не сошлась):{0}"};

// {0}: as above; {1}: the model.
inline constexpr Text kStartFixedForModel{
    "Fixed start values ({1} is not started from a UNIFAC estimate):{0}",
    "Постоянные начальные значения ({1} не начинается с оценки по UNIFAC):{0}"};
// {0}: as above; {1}: the iteration limit.
inline constexpr Text kStartFixedAfterEstimate{
    "Fixed start values (the fit from the UNIFAC estimate did not converge within {1} "
    "iterations):{0}",
    "Постоянные начальные значения (подбор от оценки по UNIFAC не сошелся за {1} итераций):{0}"};

}  // namespace bubblix::texts
