#include "core/io/file_errors.h"

#include <cerrno>

#include "core/io/file_system.h"
#include "core/texts/file_texts.h"

namespace bubblix {

const Text* reasonText(std::error_code error) {
  if (error == notOrdinaryFileError()) return &texts::kReasonNotOrdinary;
  if (error.category() != std::generic_category() && error.category() != std::system_category())
    return nullptr;
  switch (error.value()) {
    case ENOSPC:
      return &texts::kReasonNoSpace;
    case EDQUOT:
      return &texts::kReasonQuota;
    case EFBIG:
      return &texts::kReasonFileTooLarge;
    case EACCES:
      return &texts::kReasonPermissionDenied;
    case EPERM:
      return &texts::kReasonNotPermitted;
    case EROFS:
      return &texts::kReasonReadOnly;
    case ENOENT:
      return &texts::kReasonMissing;
    case ENOTDIR:
      return &texts::kReasonNotAFolder;
    case EISDIR:
      return &texts::kReasonIsAFolder;
    case ELOOP:
      return &texts::kReasonLinkLoop;
    case ENAMETOOLONG:
      return &texts::kReasonNameTooLong;
    case EIO:
      return &texts::kReasonInputOutput;
    case EMLINK:
      return &texts::kReasonTooManyLinks;
    case EBUSY:
    case ETXTBSY:
      return &texts::kReasonBusy;
    case EEXIST:
      return &texts::kReasonExists;
    case ENXIO:
    case ENODEV:
      return &texts::kReasonNoDevice;
    case EMFILE:
    case ENFILE:
      return &texts::kReasonTooManyOpen;
    case ENOMEM:
      return &texts::kReasonOutOfMemory;
    default:
      return nullptr;
  }
}

FileError fileError(const Text& text, std::vector<std::string> args, std::error_code error) {
  if (const Text* reason = reasonText(error)) return FileError(text, std::move(args), {reason});
  std::string message = error.message();
  // The system's sentence, continued after a colon.
  if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z' &&
      (message.size() < 2 || !(message[1] >= 'A' && message[1] <= 'Z'))) {
    message[0] = static_cast<char>(message[0] - 'A' + 'a');
  }
  args.push_back(std::move(message));
  return FileError(text, std::move(args));
}

void throwFileError(const Text& text, std::vector<std::string> args, std::error_code error) {
  throw fileError(text, std::move(args), error);
}

std::string printableFileName(const std::string& path) {
  std::string shown;
  shown.reserve(path.size());
  for (const char c : path) {
    if (c == '\0') {
      shown += "\\0";
    } else {
      shown += c;
    }
  }
  return shown;
}

void refuseNulInFileName(const std::string& path) {
  if (path.find('\0') != std::string::npos)
    throw FileError(texts::kFileNameHoldsNul, {printableFileName(path)});
}

}  // namespace bubblix
