#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace korvaset {

// A file being saved so that a failure never costs the user the file that was there.
// A regular or new file is written to a temporary file beside it, which replaces it only
// when every byte has reached the disk; a symbolic link is followed, so the file it points
// to is replaced, and that file's permissions are kept. A path that is not a regular file
// (a device, a FIFO) can't be replaced and is written in place.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // An uncommitted temporary is removed: the target stays as it was.
  ~ReplacingFile();

  // Opens for writing. False when the file can't be written (no permission, a read-only
  // file, a missing or unwritable folder).
  bool Open(const std::string& path);

  // False when not every byte was written.
  bool Write(std::span<const std::uint8_t> bytes);

  // Flushes the data to the disk, closes the file and puts it in place of the target.
  // False when any of these failed; the target is then as it was.
  bool Commit();

 private:
  void Close();

#ifdef _WIN32
  void* handle_ = nullptr;
  bool inPlaceFile_ = false;  // an existing file written where it is, not replaced
#else
  int fd_ = -1;
#endif
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when writing in place
};

}  // namespace korvaset
