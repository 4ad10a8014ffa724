#pragma once
// Texts of the report document: its file actions, file dialogs, the exit question and the
// errors of report files and report formats.

#include <string_view>

#include "core/texts/text.h"

namespace bubblix {

// Captions of the report file actions. "&" marks the mnemonic of the menu item (the letter
// that chooses it in the open menu); shown without it, each is the action's caption.
inline constexpr Text kOpenActionCaption{"&Open", "&Открыть"};
inline constexpr Text kSaveActionCaption{"&Save", "&Сохранить"};
inline constexpr Text kSaveAsActionCaption{"Save &as", "Сохранить &как"};
inline constexpr Text kExitActionCaption{"E&xit", "&Выход"};

// The open and save dialogs of report files.
inline constexpr Text kReportFileFilter{"Text files|*.txt", "Текстовые файлы|*.txt"};
inline constexpr std::string_view kReportDefaultExtension = "txt";
inline constexpr std::string_view kReportProposedName = "Report";

// Asked on Exit when the report holds at least one line (the Russian text ends in a blank).
inline constexpr Text kKeepReportQuestion{
    "Wish to keep the text with results in a file (y/n) ?",
    "Желаете сохранить текст с результатами в файле (y/n) ? "};

// Report file errors. {0} is the file, the last argument the system's reason.
inline constexpr Text kFileNotOrdinary{
    "{0} is not an ordinary file (it is a folder, a device, a pipe or the like); it is "
    "left untouched",
    "{0} не является обычным файлом (это папка, устройство, канал или подобное); он "
    "оставлен без изменений"};
inline constexpr Text kFileNotExamined{"File {0} cannot be examined: {1}",
                                       "Файл {0} не удается проверить: {1}"};
inline constexpr Text kFileNotRead{"File {0} cannot be read: {1}",
                                   "Файл {0} не удается прочитать: {1}"};
inline constexpr Text kFileTooLarge{
    "File {0} is too large to open as a report: more than {1} bytes",
    "Файл {0} слишком велик для отчета: более {1} байт"};
inline constexpr Text kFileNotWritten{"File {0} cannot be written: {1}",
                                      "Файл {0} не удается записать: {1}"};
inline constexpr Text kFileNotWrittenBackupKept{
    "File {0} cannot be written: {1}. Its earlier content is kept in {2}",
    "Файл {0} не удается записать: {1}. Его прежнее содержимое сохранено в {2}"};
inline constexpr Text kBackupNotOrdinary{
    "The back-up copy {1} of file {0} is not an ordinary file and is left untouched; nothing "
    "is written",
    "Резервная копия {1} файла {0} не является обычным файлом и оставлена без изменений; "
    "ничего не записано"};
inline constexpr Text kBackupNotDeleted{
    "The old back-up copy {1} of file {0} cannot be deleted: {2}; nothing is written",
    "Старую резервную копию {1} файла {0} не удается удалить: {2}; ничего не записано"};
inline constexpr Text kBackupNotRenamed{
    "File {0} cannot be renamed to its back-up copy {1}: {2}; nothing is written",
    "Файл {0} не удается переименовать в резервную копию {1}: {2}; ничего не записано"};
inline constexpr Text kCp1251Unavailable{
    "File {0} is not UTF-8 text and the Windows-1251 conversion is not available: {1}",
    "Файл {0} не является текстом UTF-8, а преобразование из Windows-1251 недоступно: {1}"};

// A report pattern that does not fit its arguments: a programming error.
inline constexpr Text kBadReportFormat{"Report format \"{0}\": {1}", "Формат отчета \"{0}\": {1}"};

}  // namespace bubblix
