// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

namespace korvaset {

// A symbolic link at a stable path that follows the simulator's current pty slave, and is
// removed again when the simulator ends.
class SymbolicLink {
 public:
  // Makes path a link to target. Throws std::system_error when it can't, and
  // std::runtime_error when path exists and is not a symbolic link (it is never replaced).
  SymbolicLink(std::string path, const std::string& target);
  ~SymbolicLink();
  SymbolicLink(const SymbolicLink&) = delete;
  SymbolicLink& operator=(const SymbolicLink&) = delete;

  // Points the link at a new target in one step, so a client never finds it missing.
  void Repoint(const std::string& target);

 private:
  std::string path_;
};

}  // namespace korvaset
