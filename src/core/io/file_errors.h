#pragma once
// File errors that give the system's reason in words, in the language of the message: "File
// Report.txt cannot be written: no space left on the device" (English), "... на устройстве нет
// места" (Russian).

#include <string>
#include <system_error>
#include <vector>

#include "core/base/errors.h"
#include "core/texts/text.h"

namespace bubblix {

// The words for the errors files commonly meet (no space, a size limit, no permission, a
// read-only file system, a missing file, a loop of links, ...); nullptr for any other error,
// whose message is then the system's own.
const Text* reasonText(std::error_code error);

// A FileError of `text` whose last placeholder is the reason for `error`.
FileError fileError(const Text& text, std::vector<std::string> args, std::error_code error);
[[noreturn]] void throwFileError(const Text& text, std::vector<std::string> args,
                                 std::error_code error);

// A name as a message shows it: a NUL byte written as \0, so that the name is not cut there.
std::string printableFileName(const std::string& path);
// Throws FileError when the name holds a NUL byte: the system would read only the part before
// it, a different file.
void refuseNulInFileName(const std::string& path);

}  // namespace bubblix
