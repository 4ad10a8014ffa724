#include "core/io/input_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "core/base/errors.h"
#include "core/io/file_errors.h"
#include "core/io/file_test_support.h"
#include "core/texts/file_texts.h"

namespace bubblix {
namespace {

using namespace texts;
using testing::fileErrorOf;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

constexpr Text kTooLarge{"{0} is larger than {1} bytes", "{0} больше {1} байт"};

std::string readAllOf(const std::string& name, std::size_t maxBytes = 1 << 20) {
  InputFile input(name, kFileNotRead);
  return input.readAll(maxBytes, kTooLarge);
}

TEST(InputFile, OrdinaryFilesAndTheirLimit) {
  const TempDir dir;
  const std::string big(200000, 'b');
  writeBytes(dir / "big.txt", big);
  EXPECT_EQ(readAllOf(dir / "big.txt"), big);
  EXPECT_EQ(fileErrorOf([&] { readAllOf(dir / "big.txt", 1000); }, kTooLarge),
            dir / "big.txt" + " is larger than 1000 bytes");
  // Line by line through the stream.
  writeBytes(dir / "rows.csv", "a\nb\n");
  InputFile rows(dir / "rows.csv", kFileNotRead);
  std::string line, lines;
  while (std::getline(rows.stream(), line))
    lines += line + ";";
  EXPECT_EQ(lines, "a;b;");
  EXPECT_FALSE(rows.stream().bad());
}

TEST(InputFile, WhatIsNoFileIsRefusedWithTheReason) {
  const TempDir dir;
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  const std::string socketPath = dir / "socket";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const std::pair<std::string, std::string> refused[] = {
      {dir / "missing.txt", "no such file or folder"},
      {dir.path().string(), "it is a folder"},
      {"/dev/null", "it is a device, not a file"},
      {socketPath, "it is a socket, not a file"},
      {dir / "loop1", "too many levels of symbolic links (a loop of links)"},
  };
  for (const auto& [name, reason] : refused) {
    EXPECT_EQ(fileErrorOf([&] { readAllOf(name); }, kFileNotRead),
              "File " + name + " cannot be read: " + reason);
  }
  ::close(listener);
  const std::string cut = dir / "x";
  fileErrorOf([&] { readAllOf(cut + std::string(1, '\0') + "y"); }, kFileNameHoldsNul);
}

TEST(InputFile, APipeIsReadOnlyWhileAProgramWritesToIt) {
  const TempDir dir;
  const std::string pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // No writer: refused at once instead of waiting for ever, the message suggests "-".
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(fileErrorOf([&] { readAllOf(pipe); }, kPipeWithoutWriter),
            pipe +
                " is a named pipe that no program is writing to; to read from a pipe, give - "
                "as the file name and send the pipe to standard input (... < " +
                pipe + ")");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  // A writer that opens the pipe as we do, and writes more than one read takes.
  const std::string content(100000, 'p');
  std::thread writer([&] {
    const int fd = ::open(pipe.c_str(), O_WRONLY);  // waits for the reader
    std::size_t at = 0;
    while (fd >= 0 && at < content.size()) {
      const ssize_t put = ::write(fd, content.data() + at, content.size() - at);
      if (put <= 0) break;
      at += static_cast<std::size_t>(put);
    }
    ::close(fd);
  });
  EXPECT_EQ(readAllOf(pipe), content);
  writer.join();
}

TEST(FileReasons, CommonErrorsInBothLanguagesOthersAsTheSystemSaysThem) {
  const FileError full =
      fileError(kFileNotWritten, {"a.txt"}, std::make_error_code(std::errc::no_space_on_device));
  EXPECT_EQ(full.message(Language::English),
            "File a.txt cannot be written: no space left on the device");
  EXPECT_EQ(full.message(Language::Russian),
            "Файл a.txt не удается записать: на устройстве нет места");
  const FileError odd =
      fileError(kFileNotWritten, {"a.txt"}, std::make_error_code(std::errc::bad_address));
  EXPECT_EQ(odd.message(Language::English), "File a.txt cannot be written: bad address");
  EXPECT_EQ(reasonText(notOrdinaryFileError()), &kReasonNotOrdinary);
}

}  // namespace
}  // namespace bubblix
