#pragma once
// Texts of the parameter file: reading, writing and the dialogs that choose the file.

#include "core/texts/text.h"

namespace bubblix::texts {

// Choosing the file.
inline constexpr Text kParameterFileOpenCaption{"Opening file", "Загрузка файла"};
inline constexpr Text kParameterFileSaveCaption{"Saving file", "Сохранение файла"};
inline constexpr Text kParameterFileFilter{"Datafiles|*.dat", "Файлы данных|*.dat"};
inline constexpr Text kParameterFileCreateQuestion{
    "Wish to create the file of outcomes of calculation for usage in other programs ?",
    "Желаете создать файл результатов расчета для использования в других программах ?"};

// Reading. {0} is the file name as chosen.
// {1} the system's reason in words.
inline constexpr Text kFileNotRetrieved{"File {0} is not retrieved: {1}",
                                        "Файл {0} не найден: {1}"};
inline constexpr Text kWrongParameterInDataFile{"wrong parameter in DataFile",
                                                "wrong parameter in DataFile"};
inline constexpr Text kDatafileNotComplete{"Datafile {0} is not complete",
                                           "Файл данных {0} не полный"};
// {1} is the number of the block (from 1) that is cut short or cannot be read.
inline constexpr Text kDatafileEndsInsideBlock{
    "Datafile {0} cannot be read: it ends inside block {1}",
    "Файл данных {0} не читается: он обрывается в блоке {1}"};
inline constexpr Text kDatafileReadError{"Datafile {0} cannot be read: read error at block {1}",
                                         "Файл данных {0} не читается: ошибка чтения в блоке {1}"};
inline constexpr Text kDatafileComponentCount{
    "Datafile {0}, block {1}: the number of components is {2}; a parameter file holds 2 to 4",
    "Файл данных {0}, блок {1}: число компонентов {2}; в файле параметров их от 2 до 4"};
inline constexpr Text kDatafileGroupCount{
    "Datafile {0}, block {1}: the number of groups is {2}; a parameter file holds 0 to 10",
    "Файл данных {0}, блок {1}: число групп {2}; в файле параметров их от 0 до 10"};
inline constexpr Text kDatafileComponentNumber{
    "Datafile {0}, block {1}: component {2} has the database number {3}; the numbers are 1 to 4, "
    "or 5 to 16 with the trailer that describes those components",
    "Файл данных {0}, блок {1}: компонент {2} имеет номер {3} в базе данных; номера от 1 до 4 "
    "или от 5 до 16 с описанием этих компонентов в конце файла"};
inline constexpr Text kDatafileComponentGroupCount{
    "Datafile {0}, block {1}: component {2} has {3} groups; a component has 1 to 10",
    "Файл данных {0}, блок {1}: компонент {2} состоит из {3} групп; допустимо от 1 до 10"};
// {2} the component (from 1), {3} its database number, {4} the earlier component with it.
inline constexpr Text kDatafileDuplicateComponent{
    "Datafile {0}, block {1}: component {2} has the database number {3}, as component {4} "
    "has; a mixture names each component once",
    "Файл данных {0}, блок {1}: компонент {2} имеет номер {3} в базе данных, как и компонент "
    "{4}; в смеси каждый компонент называется один раз"};
// {2} the component (from 1), {3} the group's two identifiers (main group, subgroup letter).
inline constexpr Text kDatafileUnknownGroup{
    "Datafile {0}, block {1}: component {2} has the UNIFAC group {3}, which is none of the "
    "mixture's groups",
    "Файл данных {0}, блок {1}: компонент {2} содержит группу UNIFAC {3}, которой нет среди "
    "групп смеси"};
// {2} names the value, for example WilsonEnergy(1, 2); {3} is what the file holds.
inline constexpr Text kDatafileValueNotFinite{
    "Datafile {0}, block {1}: {2} is not a finite number ({3})",
    "Файл данных {0}, блок {1}: {2} не является конечным числом ({3})"};

// Writing. {0} names the field of the parameter set, {1} its value.
// The trailer of the library components. {0}: file name.
inline constexpr Text kTrailerDamaged{
    "Datafile {0}: the description of its own components after the last block is damaged",
    "Файл данных {0}: описание собственных компонентов после последнего блока повреждено"};
// {1}: the database number.
inline constexpr Text kTrailerComponentMissing{
    "Datafile {0}: component number {1} is not described after the last block",
    "Файл данных {0}: компонент с номером {1} не описан после последнего блока"};
// {1}: the component's name.
inline constexpr Text kTrailerComponentNotLoaded{
    "Datafile {0} names the component \"{1}\", which the loaded component library does not hold",
    "Файл данных {0} содержит компонент \"{1}\", которого нет в загруженной библиотеке "
    "компонентов"};
// {1}: the component's name, {2}: the field that differs.
inline constexpr Text kTrailerComponentDiffers{
    "Datafile {0}: the component \"{1}\" of the file differs from the library's in \"{2}\"",
    "Файл данных {0}: компонент \"{1}\" файла отличается от компонента библиотеки в \"{2}\""};

inline constexpr Text kParameterSetNotWritable{
    "The parameter set cannot be written to a file: {0} is {1}",
    "Набор параметров нельзя записать в файл: {0} = {1}"};

}  // namespace bubblix::texts
