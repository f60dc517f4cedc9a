// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "image_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "files/config_file.h"
#include "platform/ascii_text.h"

namespace korvaset {

namespace {

constexpr std::string_view kMagic = "KVLA";
constexpr int kHeaderSize = 8;

}  // namespace

DeviceImage ReadImageFromConfigFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<char> bytes(kConfigFileSize);
  in.read(bytes.data(), kConfigFileSize);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (!StartsWithIgnoringAsciiCase({bytes.data(), bytes.size()}, kMagic)) {
    throw std::runtime_error(path + " is not a configuration file (no KVLA magic)");
  }
  if (bytes.size() < kHeaderSize || bytes[4] != char(0x80) || bytes[5] != 0 || bytes[6] != 0 ||
      bytes[7] != 0) {
    throw std::runtime_error(path + " is not a configuration file (image length is not 128)");
  }
  if (bytes.size() < static_cast<std::size_t>(kConfigFileSize)) {
    throw std::runtime_error(path + " is truncated (fewer than 128 image bytes)");
  }
  DeviceImage image{};
  std::transform(bytes.begin() + kHeaderSize, bytes.end(), image.begin(),
                 [](char c) { return static_cast<std::uint8_t>(c); });
  return image;
}

void WriteImageAsConfigFile(const std::string& path, const DeviceImage& image) {
  std::vector<std::uint8_t> bytes(kMagic.begin(), kMagic.end());
  const std::array<std::uint8_t, 4> length = {kImageSize, 0, 0, 0};
  bytes.insert(bytes.end(), length.begin(), length.end());
  bytes.insert(bytes.end(), image.begin(), image.end());

  const std::string temporary = path + ".tmp-" + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "create " + temporary);
  const ssize_t written = write(fd, bytes.data(), bytes.size());
  const int writeErrno = errno;
  if (close(fd) != 0 || written != static_cast<ssize_t>(bytes.size())) {
    unlink(temporary.c_str());
    throw std::system_error(written < 0 ? writeErrno : EIO, std::generic_category(),
                            "write " + temporary);
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    throw std::system_error(error, std::generic_category(), "rename to " + path);
  }
}

DeviceImage DefaultImage() {
  ConfigRecord record;
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  if (record.EncodeImage(buffer) != kImageSize) {
    throw std::runtime_error("the default configuration does not encode");
  }
  DeviceImage image{};
  std::copy_n(buffer.begin(), kImageSize, image.begin());
  return image;
}

}  // namespace korvaset
