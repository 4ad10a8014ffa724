#pragma once
// Texts of files in general: the errors of reading and saving any file, the system's reasons
// for a failed file operation in words, the kinds of file a run reads and writes, and the
// refusals of a save that would destroy another file of the same run.

#include "core/texts/text.h"

namespace bubblix::texts {

// ---- The system's reasons, as the last argument of a file message ----
inline constexpr Text kReasonNoSpace{"no space left on the device", "на устройстве нет места"};
inline constexpr Text kReasonQuota{"the disk quota is exceeded", "превышена дисковая квота"};
inline constexpr Text kReasonFileTooLarge{"file too large (the file-size limit is reached)",
                                          "файл слишком велик (достигнут предел размера файла)"};
inline constexpr Text kReasonPermissionDenied{"permission denied", "доступ запрещен"};
inline constexpr Text kReasonNotPermitted{"operation not permitted", "операция не разрешена"};
inline constexpr Text kReasonReadOnly{"read-only file system",
                                      "файловая система доступна только для чтения"};
inline constexpr Text kReasonMissing{"no such file or folder", "нет такого файла или папки"};
inline constexpr Text kReasonNotAFolder{"a part of the path is not a folder",
                                        "часть пути не является папкой"};
inline constexpr Text kReasonIsAFolder{"it is a folder", "это папка"};
inline constexpr Text kReasonLinkLoop{"too many levels of symbolic links (a loop of links)",
                                      "слишком много уровней символических ссылок (ссылки "
                                      "образуют петлю)"};
inline constexpr Text kReasonNameTooLong{"the name is too long", "слишком длинное имя"};
inline constexpr Text kReasonInputOutput{"input/output error", "ошибка ввода-вывода"};
inline constexpr Text kReasonTooManyLinks{"too many links", "слишком много ссылок"};
inline constexpr Text kReasonBusy{"the file is busy", "файл занят"};
inline constexpr Text kReasonExists{"the file exists", "файл уже существует"};
inline constexpr Text kReasonNoDevice{"no such device", "нет такого устройства"};
inline constexpr Text kReasonTooManyOpen{"too many open files", "слишком много открытых файлов"};
inline constexpr Text kReasonOutOfMemory{"out of memory", "недостаточно памяти"};
inline constexpr Text kReasonNotOrdinary{
    "not an ordinary file (a folder, a device, a pipe or the like)",
    "не обычный файл (папка, устройство, канал или подобное)"};
inline constexpr Text kReasonDevice{"it is a device, not a file", "это устройство, а не файл"};
inline constexpr Text kReasonSocket{"it is a socket, not a file", "это сокет, а не файл"};

// ---- Reading and saving ----
// {0} is the file, the last argument the reason.
inline constexpr Text kFileNotOrdinary{
    "{0} is not an ordinary file (it is a folder, a device, a pipe or the like); it is "
    "left untouched",
    "{0} не является обычным файлом (это папка, устройство, канал или подобное); он "
    "оставлен без изменений"};
inline constexpr Text kFileNotExamined{"File {0} cannot be examined: {1}",
                                       "Файл {0} не удается проверить: {1}"};
inline constexpr Text kFileNotRead{"File {0} cannot be read: {1}",
                                   "Файл {0} не удается прочитать: {1}"};
// A new file that could not be written: nothing is left of it.
inline constexpr Text kFileNotWritten{"File {0} cannot be written: {1}",
                                      "Файл {0} не удается записать: {1}"};
// An existing file that could not be replaced before anything changed.
inline constexpr Text kFileNotWrittenUnchanged{
    "File {0} cannot be written: {1}. The file and its back-up copy are as they were",
    "Файл {0} не удается записать: {1}. Файл и его резервная копия остались прежними"};
// {1} the back-up name, {2} the reason.
inline constexpr Text kBackupNotOrdinary{
    "The back-up copy {1} of file {0} is not an ordinary file and is left untouched; nothing "
    "is written",
    "Резервная копия {1} файла {0} не является обычным файлом и оставлена без изменений; "
    "ничего не записано"};
inline constexpr Text kBackupNotMade{
    "The back-up copy {1} of file {0} cannot be made: {2}; nothing is written",
    "Резервную копию {1} файла {0} не удается создать: {2}; ничего не записано"};
// The last step, after the back-up copy was made: {1} the back-up name, {2} the reason.
inline constexpr Text kFileNotReplaced{
    "File {0} cannot be replaced: {2}. It keeps its earlier content, which is also in its "
    "back-up copy {1}",
    "Файл {0} не удается заменить: {2}. В нем осталось прежнее содержимое, которое есть и в "
    "его резервной копии {1}"};
// The new content is in place, but its folder could not be flushed to the disk.
inline constexpr Text kFolderNotSynced{
    "File {0} is written, but its folder cannot be flushed to the disk: {1}",
    "Файл {0} записан, но его папку не удается сбросить на диск: {1}"};
// {0} the name as given, a NUL byte shown as \0.
inline constexpr Text kFileNameHoldsNul{
    "The file name \"{0}\" holds a NUL byte, which no file name can hold",
    "Имя файла \"{0}\" содержит нулевой байт, недопустимый в именах файлов"};
inline constexpr Text kPipeWithoutWriter{
    "{0} is a named pipe that no program is writing to; to read from a pipe, give - as the "
    "file name and send the pipe to standard input (... < {0})",
    "{0} - именованный канал, в который никакая программа не пишет; чтобы читать из канала, "
    "укажите - вместо имени файла и направьте канал на стандартный ввод (... < {0})"};
// {0} the file as named in the message of an input that is standard input.
inline constexpr Text kStandardInputName{"standard input", "стандартный ввод"};

// ---- The kinds of file of a run ----
inline constexpr Text kKindReport{"report", "отчет"};
inline constexpr Text kKindParameterFile{"parameter file", "файл параметров"};
inline constexpr Text kKindAnswerScript{"answer script", "файл ответов"};
inline constexpr Text kKindBatchInput{"batch input", "файл пакетного ввода"};
inline constexpr Text kKindBatchOutput{"batch output", "файл пакетного вывода"};
inline constexpr Text kKindDiagram{"diagram", "файл диаграммы"};
inline constexpr Text kKindPdf{"PDF of a report", "PDF-файл отчета"};

// ---- Saves refused because they would destroy another file of the run ----
// {0} the file to be saved, {1} the other file, {2} the other file's kind.
inline constexpr Text kSaveOverInput{
    "File {0} is not written: it is the same file as {1}, the {2} read in this run; nothing "
    "is changed",
    "Файл {0} не записан: это тот же файл, что и {1} ({2}, прочитанный в этом запуске); "
    "ничего не изменено"};
inline constexpr Text kSaveOverOutput{
    "File {0} is not written: it is the same file as {1}, the {2} saved earlier in this run; "
    "nothing is changed",
    "Файл {0} не записан: это тот же файл, что и {1} ({2}, сохраненный ранее в этом запуске); "
    "ничего не изменено"};
// {0} the file to be saved, {1} its back-up name, {2} the other file, {3} its kind.
inline constexpr Text kBackupOverInput{
    "File {0} is not written: its back-up copy {1} would replace {2}, the {3} read in this "
    "run; nothing is changed",
    "Файл {0} не записан: его резервная копия {1} заменила бы {2} ({3}, прочитанный в этом "
    "запуске); ничего не изменено"};
inline constexpr Text kBackupOverOutput{
    "File {0} is not written: its back-up copy {1} would replace {2}, the {3} saved earlier in "
    "this run; nothing is changed",
    "Файл {0} не записан: его резервная копия {1} заменила бы {2} ({3}, сохраненный ранее в "
    "этом запуске); ничего не изменено"};
// {0} the file to be saved, {1} its back-up name, {2} the other file.
inline constexpr Text kBackupShared{
    "File {0} is not written: its back-up copy {1} is also the back-up copy of {2}, saved "
    "earlier in this run, and would replace it; nothing is changed",
    "Файл {0} не записан: его резервная копия {1} является и резервной копией файла {2}, "
    "сохраненного ранее в этом запуске, и заменила бы ее; ничего не изменено"};

}  // namespace bubblix::texts
