#pragma once
// Opening a text input given by name (an answer script, the points of a batch) by the rules
// every program follows:
//  - "-" is standard input, whatever it is (a terminal, a pipe, a redirected file);
//  - an ordinary file is read;
//  - a named pipe (FIFO) is read when a program is writing to it; without a writer it is
//    refused at once, with a message that suggests "-" (reading it would wait for ever);
//  - a folder, a device or a socket is refused, and so is a name holding a NUL byte;
//  - a name that cannot be followed (a loop of symbolic links, no permission) is a file
//    error with the system's reason.
// Refusals throw FileError of the caller's text: {0} the name, {1} the reason in words.
//
// Opening never blocks: a pipe is opened without waiting and only then read normally.

#include <cstddef>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

#include "core/texts/text.h"

namespace bubblix {

// The name that stands for standard input.
inline constexpr std::string_view kStandardInputName = "-";

// A stream buffer over a file descriptor being read (not closed by it). A read error ends
// the stream with badbit set; error() keeps it.
class DescriptorReadBuffer : public std::streambuf {
 public:
  explicit DescriptorReadBuffer(int fd) : fd_(fd) {}
  int error() const { return error_; }
  // Bytes already taken from the descriptor, read before the rest (at most 64 KiB).
  void prepend(std::string_view bytes);
  static constexpr std::size_t kSize = std::size_t{1} << 16;

 protected:
  int_type underflow() override;

 private:
  int fd_;
  int error_ = 0;
  char buffer_[kSize];
};

class InputFile {
 public:
  // Opens `name` by the rules above; `cannotRead` is the message of a refusal.
  InputFile(const std::string& name, const Text& cannotRead);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool isStandardInput() const { return standardInput_; }
  // The input as a stream (its badbit set by a read error, see readError()).
  std::istream& stream() { return stream_; }
  // The system's error of a failed read (0 when none).
  int readError() const { return buffer_->error(); }
  // Reads everything; throws FileError of `cannotRead` on a read error, of `tooLarge` ({0}
  // the name, {1} maxBytes) when there is more than maxBytes.
  std::string readAll(std::size_t maxBytes, const Text& tooLarge);

 private:
  std::string name_;
  const Text& cannotRead_;
  int fd_ = -1;
  bool standardInput_ = false;
  std::unique_ptr<DescriptorReadBuffer> buffer_;
  std::istream stream_;
};

}  // namespace bubblix
