// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Loads arbitrary bytes as a configuration file from a real file. A refused file must leave
// the record as it was and say why; a loaded one must encode again within the image.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/config_record.h"
#include "files/config_file.h"
#include "platform/recording_message_boxes.h"

namespace {

using namespace korvaset;

void Require(bool condition) {
  if (!condition) std::abort();
}

// One file for the whole run, in memory where the system offers it, removed at exit.
class InputFile {
 public:
  InputFile() {
    const std::filesystem::path dir = std::filesystem::exists("/dev/shm")
                                          ? std::filesystem::path("/dev/shm")
                                          : std::filesystem::temp_directory_path();
    path_ = (dir / ("korvaset-fuzz-load-" + std::to_string(::getpid()) + ".kvc")).string();
  }
  ~InputFile() { std::filesystem::remove(path_); }

  const std::string& Write(const std::uint8_t* data, std::size_t size) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static InputFile file;
  const std::string& path = file.Write(data, size);

  RecordingMessageBoxes boxes;
  ScopedMessageBoxes scope(boxes);
  // Values no image holds, so that a partial change would show.
  ConfigRecord record;
  record.visibleProfile = 1;
  record.manualTxDelay[0] = 9999;
  record.sbSlowRate[1] = 123456;
  record.slotOffset[0] = -77;
  const ConfigRecord before = record;

  if (!LoadConfigFile(record, path)) {
    Require(record == before);
    Require(!boxes.shown.empty());
    return 0;
  }
  Require(size >= static_cast<std::size_t>(kConfigFileSize));
  Require(boxes.shown.empty());
  Require(record.visibleProfile == 1);

  std::array<std::uint8_t, kImageBufferSize> buffer;
  buffer.fill(0xA5);
  const int length = record.EncodeImage(buffer);
  for (int i = kImageSize; i < kImageBufferSize; ++i) Require(buffer[i] == 0xA5);
  // A record the image can't hold may be refused, but never silently.
  Require(length == kImageSize || !boxes.shown.empty());
  return 0;
}
