// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvaset {

// A file being saved so that a failure never costs the user the file that was there, and
// the save changes nothing of it but its bytes. A new file, or one that a rename would
// change in nothing else (one link, its owner, group and permissions kept, a folder that
// takes a temporary file), is written to a temporary file beside it, which replaces it only
// when every byte has reached the disk. Any other file, a device or a FIFO is written in
// place; should that write fail, the old bytes are written back (kept in memory when the file
// is small enough to restore, which a configuration or its text is). A symbolic link is
// followed, so the file it points to is saved.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // An uncommitted temporary is removed, and a file written in place gets its old bytes
  // back: the target stays as it was.
  ~ReplacingFile();

  // Opens for writing. False when the file can't be written (no permission, a read-only
  // file, a new file in a missing or unwritable folder).
  bool Open(const std::string& path);

  // False when not every byte was written.
  bool Write(std::span<const std::uint8_t> bytes);

  // Flushes the data to the disk, closes the file and puts it in place of the target.
  // False when any of these failed; the target is then as it was, unless a file written in
  // place can't take its old bytes back either.
  bool Commit();

 private:
  void Close();
  // For a file written in place: its bytes before the save, or nothing when they couldn't
  // be read; written back when the save fails.
  void KeepOldBytes();
  bool RestoreOldBytes();

  std::optional<std::vector<std::uint8_t>> oldBytes_;
  bool written_ = false;  // Write was called on a file written in place

#ifdef _WIN32
  void* handle_ = nullptr;
  bool inPlaceFile_ = false;  // an existing file written where it is, not replaced
#else
  // How the bytes reach the target.
  enum class Route {
    kDevice,   // a device or FIFO, written as it stands
    kInPlace,  // a regular file written over, then cut to the new length
    kUnnamed,  // a file without a name until Commit links it beside the target
    kNamed,    // a temporary beside the target, from the start
  };
  bool OpenTemporary();
  bool NameTemporary();
  std::string ProcPath() const;

  int fd_ = -1;
  Route route_ = Route::kInPlace;
#endif
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when writing in place
};

}  // namespace korvaset
