#pragma once
// Texts of the residuals of a parameter set against its pairs' data: the refusal of a pair, the
// pictures and the windows that show them.

#include "core/texts/text.h"

namespace bubblix {

// {0}, {1}: the positions asked for (1-based), {2}: the set's component count.
inline constexpr Text kResidualPairInvalid{
    "There is no pair {0}-{1} in a parameter set of {2} components",
    "В наборе параметров из {2} компонентов нет пары {0}-{1}"};
// {0}, {1}: the database numbers asked for.
inline constexpr Text kResidualPairNotInSet{"The parameter set does not hold the pair {0},{1}",
                                            "Набор параметров не содержит пары {0},{1}"};
inline constexpr Text kResidualNoData{
    "No pair of the parameter set has equilibrium data: there are no residuals to show",
    "Ни у одной пары набора параметров нет данных о равновесии: невязок нет"};

// The picture. {0}, {1}: the pair's names, {2}: the model.
inline constexpr Text kResidualTitle{"Residuals, calculated − measured: {0} – {1}, {2}",
                                     "Невязки, расчет − опыт: {0} – {1}, {2}"};
// {0}: RMS of the unknown with its unit, {1}: RMS of y1, {2}: solved points, {3}: measured.
inline constexpr Text kResidualSubtitle{
    "RMS {0},  RMS Δy1 = {1};  {2} of {3} points solved",
    "Ср. кв. {0},  ср. кв. Δy1 = {1};  решено точек: {2} из {3}"};
// {0}: the RMS value.
inline constexpr Text kResidualRmsT{"Δt = {0} K", "Δt = {0} K"};
inline constexpr Text kResidualRmsP{"ΔP = {0} mm Hg", "ΔP = {0} мм рт.ст."};
inline constexpr Text kResidualTAxis{"Δt, K", "Δt, K"};
inline constexpr Text kResidualPAxis{"ΔP, mm Hg", "ΔP, мм рт.ст."};
inline constexpr Text kResidualY1Axis{"Δy1", "Δy1"};

// The desktop: the Diagram window's tab, the Residuals window and its menu-bar entry (English
// R, Russian З: free on the bar).
inline constexpr Text kResidualTab{"Residuals", "Невязки"};
inline constexpr Text kResidualsAction{"&Residuals", "Невя&зки"};
inline constexpr Text kResidualsHint{
    "The residuals of every fitted pair of the last session's parameter set against its data",
    "Невязки каждой пары набора параметров последнего сеанса относительно ее данных"};
// {0}: the components of the set, joined by " - ", {1}: the model.
inline constexpr Text kResidualsWindowCaption{"Residuals: {0}, {1}", "Невязки: {0}, {1}"};
// {0}-{1}: the pair's names.
inline constexpr Text kResidualPairTab{"{0} – {1}", "{0} – {1}"};

}  // namespace bubblix
