// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Saving in the page: the bytes go to a file in memory, which the glue hands to the file the
// user picked only after the save has fully succeeded. A failed save leaves nothing there,
// so nothing is half-saved.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "files/replacing_file.h"

namespace korvaset {

ReplacingFile::~ReplacingFile() {
  Close();
  if (!temporary_.empty()) std::remove(temporary_.c_str());
}

bool ReplacingFile::Open(const std::string& path) {
  target_ = path;
  temporary_ = path + ".part";
  fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return fd_ >= 0;
}

bool ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
  return fd_ >= 0 && ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

bool ReplacingFile::Commit() {
  if (fd_ < 0) return false;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
  temporary_.clear();
  return true;
}

void ReplacingFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace korvaset
