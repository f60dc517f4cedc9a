// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "symbolic_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace korvaset {

SymbolicLink::SymbolicLink(std::string path, const std::string& target) : path_(std::move(path)) {
  struct stat info {};
  if (lstat(path_.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
    const std::string path = path_;
    path_.clear();
    throw std::runtime_error(path + " exists and is not a symbolic link; not replacing it");
  }
  try {
    Repoint(target);
  } catch (...) {
    path_.clear();
    throw;
  }
}

SymbolicLink::~SymbolicLink() {
  if (!path_.empty()) unlink(path_.c_str());
}

void SymbolicLink::Repoint(const std::string& target) {
  const std::string temporary = path_ + ".new-" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0) {
    throw std::system_error(errno, std::generic_category(), "symlink " + temporary);
  }
  if (rename(temporary.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    throw std::system_error(error, std::generic_category(), "rename to " + path_);
  }
}

}  // namespace korvaset
