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

// Report file errors (the errors of files in general are in file_texts.h). {0} is the file.
inline constexpr Text kFileTooLarge{
    "File {0} is too large to open as a report: more than {1} bytes",
    "Файл {0} слишком велик для отчета: более {1} байт"};
inline constexpr Text kCp1251Unavailable{
    "File {0} is not UTF-8 text and the Windows-1251 conversion is not available: {1}",
    "Файл {0} не является текстом UTF-8, а преобразование из Windows-1251 недоступно: {1}"};

// A report pattern that does not fit its arguments: a programming error.
inline constexpr Text kBadReportFormat{"Report format \"{0}\": {1}", "Формат отчета \"{0}\": {1}"};

}  // namespace bubblix
