#include "files/config_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/replacing_file.h"
#include "platform/message_box.h"

namespace korvaset {

namespace {

constexpr char kMagic[] = "KVLA";
constexpr int kHeaderSize = 8;

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool IsMagic(const char (&bytes)[4]) {
  for (int i = 0; i < 4; ++i) {
    if (AsciiLower(bytes[i]) != AsciiLower(kMagic[i])) return false;
  }
  return true;
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

}  // namespace

bool SaveConfigFile(ConfigRecord& record, const std::string& path) {
  ReplacingFile file;
  if (!file.Open(path)) return SaveFailed("Failed to open file");

  std::array<std::uint8_t, kImageBufferSize> buffer{};
  // The encoder shows why it refused; the old file stays as it was.
  if (record.EncodeImage(buffer) != kImageSize) return true;

  std::array<std::uint8_t, kConfigFileSize> bytes{};
  std::copy_n(kMagic, 4, bytes.begin());
  bytes[4] = static_cast<std::uint8_t>(kImageSize);  // 128 as 32 bits, least significant first
  std::copy_n(buffer.begin(), kImageSize, bytes.begin() + kHeaderSize);

  if (!file.Write(bytes) || !file.Commit()) return SaveFailed("Failed to write data");
  return false;
}

std::optional<std::array<std::uint8_t, kImageSize>> ReadConfigFileImage(const std::string& path) {
  // A folder opens as a stream on some systems but is no file to read.
  std::error_code error;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, error)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    LoadFailed("Failed to open file");
    return std::nullopt;
  }
  char magic[4];
  char length[4];
  if (!in.read(magic, 4) || !IsMagic(magic) || !in.read(length, 4) ||
      LittleEndian32(length) != kImageSize) {
    LoadFailed("Invalid File Format");
    return std::nullopt;
  }
  std::array<std::uint8_t, kImageSize> image{};
  if (!in.read(reinterpret_cast<char*>(image.data()), kImageSize)) {
    LoadFailed("Failed to read data");
    return std::nullopt;
  }
  return image;
}

bool LoadConfigFile(ConfigRecord& record, const std::string& path) {
  const auto image = ReadConfigFileImage(path);
  if (!image) return false;
  if (record.DecodeImage(*image)) {
    LoadFailed("Import Failed");
    return false;
  }
  return true;
}

}  // namespace korvaset
