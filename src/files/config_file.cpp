// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "files/config_file.h"

#include <algorithm>

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/utf8_path.h"
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#endif

#include "files/replacing_file.h"
#include "platform/ascii_text.h"
#include "platform/message_box.h"

namespace korvaset {

namespace {

constexpr char kMagic[] = "KVLA";
constexpr int kHeaderSize = 8;

bool IsMagic(const char (&bytes)[4]) {
  return StartsWithIgnoringAsciiCase({bytes, 4}, kMagic);
}

std::uint32_t LittleEndian32(const char (&bytes)[4]) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  return value;
}

bool SaveFailed(std::string_view text) {
  ShowInfo(text, "Save Failed");
  return true;
}

void LoadFailed(std::string_view text) {
  ShowInfo(text, "Load Failed");
}

// A file opened for reading. Read returns false unless all the bytes asked for arrived.
#ifdef _WIN32
class InputFile {
 public:
  bool Open(const std::string& path) {
    // A folder opens as a stream on some systems but is no file to read.
    const std::filesystem::path file = Utf8Path(path);
    std::error_code error;
    if (!std::filesystem::is_directory(file, error)) in_.open(file, std::ios::binary);
    return in_.is_open();
  }
  bool Read(char* data, std::size_t size) {
    return static_cast<bool>(in_.read(data, static_cast<std::streamsize>(size)));
  }

 private:
  std::ifstream in_;
};
#else
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Open(const std::string& path) {
    // Opened without waiting, a FIFO that no one writes reads as empty instead of blocking
    // the open until a writer comes.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || S_ISDIR(status.st_mode)) return false;
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
  }

  // A FIFO or terminal whose writer holds it open and never writes ends the read after a
  // few seconds, as if the file ended there.
  bool Read(char* data, std::size_t size) {
    while (size > 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline_ - std::chrono::steady_clock::now());
      pollfd ready{fd_, POLLIN, 0};
      const int polled = ::poll(&ready, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
      if (polled < 0 && errno == EINTR) continue;
      if (polled <= 0) return false;
      const ssize_t got = ::read(fd_, data, size);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      data += got;
      size -= static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  static constexpr std::chrono::seconds kReadTimeLimit{5};

  int fd_ = -1;
  std::chrono::steady_clock::time_point deadline_ =
      std::chrono::steady_clock::now() + kReadTimeLimit;
};
#endif

bool WriteConfigFile(ReplacingFile& file, std::span<const std::uint8_t, kImageSize> image) {
  std::array<std::uint8_t, kConfigFileSize> bytes{};
  std::copy_n(kMagic, 4, bytes.begin());
  bytes[4] = static_cast<std::uint8_t>(kImageSize);  // 128 as 32 bits, least significant first
  std::copy(image.begin(), image.end(), bytes.begin() + kHeaderSize);
  if (!file.Write(bytes) || !file.Commit()) return SaveFailed("Failed to write data");
  return false;
}

}  // namespace

bool SaveConfigFile(ConfigRecord& record, const std::string& path) {
  ReplacingFile file;
  if (!file.Open(path)) return SaveFailed("Failed to open file");

  std::array<std::uint8_t, kImageBufferSize> buffer{};
  // The encoder shows why it refused; the old file stays as it was.
  if (record.EncodeImage(buffer) != kImageSize) return true;
  return WriteConfigFile(file, std::span(buffer).first<kImageSize>());
}

bool SaveConfigImage(std::span<const std::uint8_t, kImageSize> image, const std::string& path) {
  ReplacingFile file;
  if (!file.Open(path)) return SaveFailed("Failed to open file");
  return WriteConfigFile(file, image);
}

std::optional<std::array<std::uint8_t, kImageSize>> ReadConfigFileImage(const std::string& path) {
  InputFile in;
  if (!in.Open(path)) {
    LoadFailed("Failed to open file");
    return std::nullopt;
  }
  char magic[4];
  char length[4];
  if (!in.Read(magic, 4) || !IsMagic(magic) || !in.Read(length, 4) ||
      LittleEndian32(length) != kImageSize) {
    LoadFailed("Invalid File Format");
    return std::nullopt;
  }
  std::array<std::uint8_t, kImageSize> image{};
  if (!in.Read(reinterpret_cast<char*>(image.data()), kImageSize)) {
    LoadFailed("Failed to read data");
    return std::nullopt;
  }
  return image;
}

bool DecodeConfigFileImage(ConfigRecord& record, std::span<const std::uint8_t> image) {
  if (record.DecodeImage(image)) {
    LoadFailed("Import Failed");
    return false;
  }
  return true;
}

bool LoadConfigFile(ConfigRecord& record, const std::string& path) {
  const auto image = ReadConfigFileImage(path);
  return image && DecodeConfigFileImage(record, *image);
}

}  // namespace korvaset
