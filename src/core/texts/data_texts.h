#pragma once
// Texts of the built-in data: property look-ups, group lists and experimental sets.

#include "core/texts/text.h"

namespace bubblix {

// Russian in both interfaces. {0} is the key, cut so that "свойство " + key has at most 19
// characters (the whole message then has at most 45).
inline constexpr Text kUnknownPropertyText{"свойство {0} отсутствует в базе данных",
                                           "свойство {0} отсутствует в базе данных"};

// {0}: the name asked for.
inline constexpr Text kUnknownComponentText{"Component \"{0}\" is not in the database",
                                            "Компонент \"{0}\" отсутствует в базе данных"};

// {0}: the 1-based position asked for.
inline constexpr Text kMixtureSlotInvalidText{
    "There is no mixture component {0}; a mixture has components 1 to 4",
    "В смеси нет компонента {0}; смесь содержит компоненты с 1 по 4"};

// {0}: the 1-based position of the component in the mixture.
inline constexpr Text kMixtureSlotNotLoadedText{"Component {0} of the mixture is not loaded",
                                                "Компонент {0} смеси не загружен"};

inline constexpr Text kEmptyPropertyTableText{"A property table of the database is empty",
                                              "Таблица свойства в базе данных пуста"};

// {0}: component name, {1}: temperature in degC.
inline constexpr Text kDensityNotPositiveText{
    "The liquid density of {0} at {1} °C is not a positive number",
    "Плотность жидкости {0} при {1} °C не является положительным числом"};

// {0}: component name, {1}: temperature in degC.
inline constexpr Text kVapourPressureInvalidText{
    "The vapour pressure of {0} at {1} °C is not a positive finite number",
    "Давление пара {0} при {1} °C не является положительным конечным числом"};

// {0}: component name, {1}: temperature in degC, {2}: the pole of its vapour-pressure
// equation (T + C = 0) in degC.
inline constexpr Text kVapourPressurePoleText{
    "The vapour pressure of {0} at {1} °C is not defined: its equation holds only above its "
    "pole at {2} °C",
    "Давление пара {0} при {1} °C не определено: его уравнение действует только выше полюса "
    "{2} °C"};

// {0}: component name, {1}: temperature in degC, {2}: the pressure in Pa, {3}: the largest
// pressure accepted, Pa.
inline constexpr Text kVapourPressureAbsurdText{
    "The vapour pressure of {0} at {1} °C would be {2} Pa, beyond any meaning (more than {3} Pa)",
    "Давление пара {0} при {1} °C получилось бы {2} Па, что лишено смысла (больше {3} Па)"};

// {0}: the group count found.
inline constexpr Text kGroupCountInvalidText{
    "A UNIFAC group record holds {0} groups; 1 to 10 are allowed",
    "Запись групп UNIFAC содержит {0} групп; допускается от 1 до 10"};

inline constexpr Text kGroupMultiplicityZeroText{
    "The groups of a UNIFAC group record occur zero times in total",
    "Суммарное число групп в записи групп UNIFAC равно нулю"};

// {0}: number of mixture components given.
inline constexpr Text kMixtureSizeInvalidText{
    "A mixture of {0} components cannot be prepared; 1 to 4 are allowed",
    "Смесь из {0} компонентов не может быть подготовлена; допускается от 1 до 4"};

// {0}: total number of groups collected.
inline constexpr Text kTooManyMixtureGroupsText{
    "The mixture's components have {0} UNIFAC groups in total; at most 10 are allowed",
    "Компоненты смеси содержат всего {0} групп UNIFAC; допускается не более 10"};

// {0}: the number given.
inline constexpr Text kComponentNumberInvalidText{"There is no database component number {0}",
                                                  "В базе данных нет компонента с номером {0}"};

// {0}, {1}: database numbers of the pair.
inline constexpr Text kNoExperimentalSetText{
    "There is no complete experimental data set for the pair of components {0} and {1}",
    "Для пары компонентов {0} и {1} нет полного набора экспериментальных данных"};

// {0}, {1}: database numbers of the pair, {2}: points in the set, {3}: the largest number.
inline constexpr Text kTooManyPointsText{
    "The experimental data set of components {0} and {1} holds {2} points; at most {3} can be "
    "fitted",
    "Набор экспериментальных данных компонентов {0} и {1} содержит {2} точек; подбор "
    "допускает не более {3}"};

// {0}, {1}: database numbers of the pair, {2}: points declared by the set.
inline constexpr Text kExperimentalSetShortText{
    "The experimental data set of components {0} and {1} stores fewer values than its {2} "
    "points",
    "Набор экспериментальных данных компонентов {0} и {1} хранит меньше значений, чем {2} "
    "точек"};

}  // namespace bubblix
