#include "core/io/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/io/file_errors.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

// A writer that opens the pipe at the same moment as we do is counted a little later; this
// long is waited for one before the pipe is refused.
constexpr auto kWriterGrace = std::chrono::milliseconds(200);
constexpr auto kWriterPoll = std::chrono::milliseconds(10);

// Whether a program writes to the pipe open (without blocking) as fd; the bytes a first read
// took are in `first`. A read that finds no writer returns 0, one that finds a writer with
// nothing written yet fails with EAGAIN.
bool pipeHasWriter(int fd, std::string& first) {
  first.resize(DescriptorReadBuffer::kSize);
  const auto deadline = std::chrono::steady_clock::now() + kWriterGrace;
  while (true) {
    const ssize_t got = ::read(fd, first.data(), first.size());
    if (got > 0) {
      first.resize(static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      first.clear();
      return errno == EAGAIN || errno == EWOULDBLOCK;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      first.clear();
      return false;
    }
    std::this_thread::sleep_for(kWriterPoll);
  }
}

}  // namespace

void DescriptorReadBuffer::prepend(std::string_view bytes) {
  const std::size_t size = std::min(bytes.size(), kSize);
  std::memcpy(buffer_, bytes.data(), size);
  setg(buffer_, buffer_, buffer_ + size);
}

DescriptorReadBuffer::int_type DescriptorReadBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error_ != 0) return traits_type::eof();
  while (true) {
    const ssize_t got = ::read(fd_, buffer_, kSize);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error_ = errno;
      // The stream sets badbit when underflow throws; the error is kept in error_.
      throw std::ios_base::failure("read error", std::error_code(error_, std::generic_category()));
    }
    if (got == 0) return traits_type::eof();
    setg(buffer_, buffer_, buffer_ + got);
    return traits_type::to_int_type(*gptr());
  }
}

InputFile::InputFile(const std::string& name, const Text& cannotRead)
    : name_(name), cannotRead_(cannotRead), stream_(nullptr) {
  if (name == kStandardInputName) {
    standardInput_ = true;
    fd_ = STDIN_FILENO;
  } else {
    refuseNulInFileName(name);
    // Without blocking: a pipe with no writer must not hold the program.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
      const std::error_code error = lastError();
      struct stat info {};
      // A socket cannot be opened as a file at all; say what it is.
      if (error.value() == ENXIO && ::stat(name.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
        throw FileError(cannotRead, {name}, {&texts::kReasonSocket});
      throwFileError(cannotRead, {name}, error);
    }
    struct stat info {};
    const Text* refusal = nullptr;
    std::string first;
    if (::fstat(fd, &info) != 0) {
      const std::error_code error = lastError();
      ::close(fd);
      throwFileError(cannotRead, {name}, error);
    }
    if (S_ISDIR(info.st_mode)) {
      refusal = &texts::kReasonIsAFolder;
    } else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
      refusal = &texts::kReasonDevice;
    } else if (S_ISSOCK(info.st_mode)) {
      refusal = &texts::kReasonSocket;
    } else if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
      refusal = &texts::kReasonNotOrdinary;
    }
    if (refusal != nullptr) {
      ::close(fd);
      throw FileError(cannotRead, {name}, {refusal});
    }
    if (S_ISFIFO(info.st_mode) && !pipeHasWriter(fd, first)) {
      ::close(fd);
      throw FileError(texts::kPipeWithoutWriter, {name});
    }
    // From here on reads wait for data as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    fd_ = fd;
    buffer_ = std::make_unique<DescriptorReadBuffer>(fd_);
    if (!first.empty()) buffer_->prepend(first);
  }
  if (!buffer_) buffer_ = std::make_unique<DescriptorReadBuffer>(fd_);
  stream_.rdbuf(buffer_.get());
}

InputFile::~InputFile() {
  if (!standardInput_ && fd_ >= 0) ::close(fd_);
}

std::string InputFile::readAll(std::size_t maxBytes, const Text& tooLarge) {
  struct stat info {};
  if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<unsigned long long>(info.st_size) > maxBytes) {
    throw FileError(tooLarge, {name_, std::to_string(maxBytes)});
  }
  std::string content;
  char chunk[1 << 16];
  while (true) {
    const std::streamsize got = stream_.rdbuf() ? stream_.read(chunk, sizeof chunk).gcount() : 0;
    if (stream_.bad() || buffer_->error() != 0) {
      throwFileError(
          cannotRead_, {name_},
          std::error_code(buffer_->error() != 0 ? buffer_->error() : EIO, std::generic_category()));
    }
    content.append(chunk, static_cast<std::size_t>(got));
    if (content.size() > maxBytes) throw FileError(tooLarge, {name_, std::to_string(maxBytes)});
    if (got < static_cast<std::streamsize>(sizeof chunk)) break;
  }
  stream_.clear();
  return content;
}

}  // namespace bubblix
