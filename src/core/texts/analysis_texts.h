#pragma once
// Texts of the binary diagrams, the azeotrope search and the liquid-stability test: diagram
// titles, axis titles and legend entries, the report lines and the refusals of bad input.
// Temperatures are shown in °C, pressures in mm Hg, compositions as mole fractions of the
// mixture's first component.

#include "core/texts/text.h"

namespace bubblix {

// --- Diagrams -------------------------------------------------------------------------------

// Titles. {0}, {1} the component names, {2} the fixed pressure (mm Hg) or temperature (°C),
// {3} the model name.
inline constexpr Text kTxyDiagramTitle{
    "Vapour-liquid equilibrium {0}-{1}: t-x-y at P = {2} mm Hg, model {3}",
    "Равновесие пар-жидкость {0}-{1}: t-x-y при P = {2} мм рт.ст., модель {3}"};
inline constexpr Text kXyDiagramTitle{
    "Vapour-liquid equilibrium {0}-{1}: y-x at P = {2} mm Hg, model {3}",
    "Равновесие пар-жидкость {0}-{1}: y-x при P = {2} мм рт.ст., модель {3}"};
inline constexpr Text kPxyDiagramTitle{
    "Vapour-liquid equilibrium {0}-{1}: P-x-y at t = {2} °C, model {3}",
    "Равновесие пар-жидкость {0}-{1}: P-x-y при t = {2} °C, модель {3}"};
inline constexpr Text kIsothermalXyDiagramTitle{
    "Vapour-liquid equilibrium {0}-{1}: y-x at t = {2} °C, model {3}",
    "Равновесие пар-жидкость {0}-{1}: y-x при t = {2} °C, модель {3}"};

// Axis titles. {0} the name of the first component.
inline constexpr Text kTemperatureAxis{"t, °C", "t, °C"};
inline constexpr Text kPressureAxis{"P, mm Hg", "P, мм рт.ст."};
inline constexpr Text kCompositionAxis{"x1, y1 (mole fraction of {0})",
                                       "x1, y1 (мольная доля: {0})"};
inline constexpr Text kLiquidFractionAxis{"x1 (mole fraction of {0} in the liquid)",
                                          "x1 (мольная доля: {0}, жидкость)"};
inline constexpr Text kVapourFractionAxis{"y1 (mole fraction of {0} in the vapour)",
                                          "y1 (мольная доля: {0}, пар)"};

// Legend entries.
inline constexpr Text kBubbleCurveLegend{"Bubble curve (liquid)", "Линия кипения (жидкость)"};
inline constexpr Text kDewCurveLegend{"Dew curve (vapour)", "Линия конденсации (пар)"};
inline constexpr Text kModelXyLegend{"Model y1(x1)", "Модель y1(x1)"};
inline constexpr Text kDiagonalLegend{"Diagonal y1 = x1", "Диагональ y1 = x1"};
inline constexpr Text kMeasuredLiquidLegend{"Measured liquid x1", "Опыт: жидкость x1"};
inline constexpr Text kMeasuredVapourLegend{"Measured vapour y1", "Опыт: пар y1"};
inline constexpr Text kMeasuredXyLegend{"Measured y1(x1)", "Опыт: y1(x1)"};
inline constexpr Text kAzeotropeLegend{"Azeotrope", "Азеотроп"};
inline constexpr Text kLiquidSplitLegend{"Two liquids (model)", "Две жидкие фазы (модель)"};

// --- Report lines ----------------------------------------------------------------------------

// The condition of a result. {0} pressure in mm Hg, or temperature in °C.
inline constexpr Text kAtPressure{"P = {0} mm Hg", "P = {0} мм рт.ст."};
inline constexpr Text kAtTemperature{"t = {0} °C", "t = {0} °C"};

// {0} t, °C; {1} P, mm Hg; {2} x1 = y1; {3} kAzeotropeMinimumBoiling or ...MaximumBoiling.
inline constexpr Text kAzeotropeLine{
    "Azeotrope at t = {0} °C, P = {1} mm Hg: x1 = y1 = {2}, {3}",
    "Азеотроп при t = {0} °C, P = {1} мм рт.ст.: x1 = y1 = {2}, {3}"};
inline constexpr Text kAzeotropeMinimumBoiling{"minimum-boiling",
                                               "с минимумом температуры кипения"};
inline constexpr Text kAzeotropeMaximumBoiling{"maximum-boiling",
                                               "с максимумом температуры кипения"};
// Appended to kAzeotropeLine when the azeotrope lies where the single liquid is unstable.
inline constexpr Text kAzeotropeInsideSplit{
    "; the model predicts two liquids there, so the real azeotrope is heterogeneous",
    "; модель предсказывает там две жидкие фазы, действительный азеотроп гетерогенный"};
// The diagrams of the loaded data sets. {0}: the set's file, {1}: the condition.
inline constexpr Text kLoadedSetDiagramLine{"Data set {0}, drawn at {1} with its points:",
                                            "Набор данных {0}, диаграмма при {1} с его точками:"};
// The analysis of a loaded data set at its own condition. {0}: the set's file, {1}: the
// condition.
inline constexpr Text kLoadedSetAnalysisLine{"Data set {0}, at {1}:", "Набор данных {0}, при {1}:"};
// {0}: the file, {1}, {2}: t range, °C, {3}, {4}: P range, mm Hg.
inline constexpr Text kLoadedSetMixedLine{
    "Data set {0} is neither isobaric nor isothermal (t {1} to {2} °C, P {3} to {4} mm Hg): its "
    "points are drawn on no diagram",
    "Набор данных {0} ни изобарный, ни изотермический (t от {1} до {2} °C, P от {3} до {4} мм "
    "рт.ст.): его точки не показаны ни на одной диаграмме"};

// {0} the condition (kAtPressure or kAtTemperature).
inline constexpr Text kNoAzeotropeLine{
    "No azeotrope at {0}: y1 - x1 keeps its sign for 0 < x1 < 1",
    "Азеотропа при {0} нет: y1 - x1 не меняет знака при 0 < x1 < 1"};

// {0} the number of bubble points left out, {1} the number tried, {2} the condition.
inline constexpr Text kBubblePointsSkipped{
    "{0} of {1} bubble points at {2} could not be solved; the lines below rest on the others",
    "{0} из {1} точек кипения при {2} рассчитать не удалось; строки ниже основаны на "
    "остальных"};
// {0} the condition.
inline constexpr Text kNoBubblePointSolved{
    "No bubble point at {0} could be solved: azeotropes and liquid split cannot be judged",
    "Ни одной точки кипения при {0} рассчитать не удалось: об азеотропах и расслаивании "
    "судить нельзя"};

// {0} the condition; {1}, {2} the ends of the range of x1.
inline constexpr Text kLiquidSplitLine{
    "Liquid split at {0}: the model predicts two liquid phases; the single liquid is unstable "
    "for {1} < x1 < {2}",
    "Расслаивание при {0}: модель предсказывает две жидкие фазы; однородная жидкость "
    "неустойчива при {1} < x1 < {2}"};
inline constexpr Text kNoLiquidSplitLine{
    "No liquid split at {0}: the single liquid is stable at every bubble point",
    "Расслаивания при {0} нет: однородная жидкость устойчива во всех точках кипения"};
inline constexpr Text kLiquidSplitWarning{
    "Warning: every result above assumes a single liquid phase; inside this range the model's "
    "bubble and dew points are not those of the mixture, and the two-liquid region reaches "
    "beyond the range",
    "Внимание: все результаты выше получены для одной жидкой фазы; внутри этого интервала "
    "точки кипения и конденсации модели не отвечают смеси, а область двух жидких фаз шире "
    "интервала"};

// --- Refused input ---------------------------------------------------------------------------

// {0} the number of components of the set.
inline constexpr Text kAnalysisNotBinary{
    "Diagrams and the azeotrope search need a binary parameter set; this one holds {0} "
    "components",
    "Для диаграмм и поиска азеотропа нужен набор параметров бинарной смеси; в этом наборе "
    "{0} компонентов"};
// {0} the component number of the set.
inline constexpr Text kAnalysisComponentNumber{
    "The parameter set names component number {0}; the database holds components 1 to {1}",
    "Набор параметров указывает компонент номер {0}; в базе данных компоненты 1-{1}"};
// {0} mixture slot (1 or 2).
inline constexpr Text kAnalysisComponentNotLoaded{
    "Component {0} of the mixture has no property data loaded",
    "Для компонента {0} смеси не загружены свойства"};
// {0} the pressure, Pa.
inline constexpr Text kAnalysisPressureInvalid{
    "The pressure of a diagram must be a finite number above zero: {0} Pa",
    "Давление диаграммы должно быть конечным числом больше нуля: {0} Па"};
// {0} the temperature, °C.
inline constexpr Text kAnalysisTemperatureInvalid{
    "The temperature of a diagram must be a finite number above absolute zero (-273.15 °C): "
    "{0} °C",
    "Температура диаграммы должна быть конечным числом выше абсолютного нуля (-273,15 °C): "
    "{0} °C"};
// {0} the name of the fraction (x1 or y1), {1} its value.
inline constexpr Text kAnalysisFractionInvalid{
    "The mole fraction {0} = {1} must be a number from 0 to 1",
    "Мольная доля {0} = {1} должна быть числом от 0 до 1"};
// {0} the number asked for, {1} the smallest, {2} the largest.
inline constexpr Text kAnalysisPointCount{"A curve needs {1} to {2} points; {0} were asked for",
                                          "Для линии нужно от {1} до {2} точек; задано {0}"};
// {0} the mole fraction x1.
inline constexpr Text kStabilityFractionOutside{
    "The stability test needs a liquid with 0 < x1 < 1; x1 = {0}",
    "Для проверки устойчивости нужна жидкость с 0 < x1 < 1; x1 = {0}"};
// {0} the mole fraction x1, {1} the temperature, °C.
inline constexpr Text kStabilityNotFinite{
    "The model gives no finite stability measure for x1 = {0} at t = {1} °C",
    "Модель не дает конечной меры устойчивости при x1 = {0}, t = {1} °C"};
// {0} mixture slot (1 or 2), {1} the pressure, mm Hg.
inline constexpr Text kPureBoilingPointNotFound{
    "No boiling temperature of component {0} at P = {1} mm Hg within its vapour-pressure data",
    "Температура кипения компонента {0} при P = {1} мм рт.ст. не найдена в пределах данных о "
    "давлении пара"};

}  // namespace bubblix
