// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <string>

namespace korvaset {

// What a file dialog asks: its title, the name it proposes, the extension added to a name
// typed without one, and the file types in the form "Description|*.ext|...||" (a bare
// pattern such as "*.kvc" serves too). Texts are UTF-8.
struct FileDialogRequest {
  std::string title;
  std::string initialName;
  std::string defaultSuffix;
  std::string filter;
};

// The platform's open and save dialogs, modal over the window, behind an interface so that
// tests can answer them. Each returns the chosen path, completed with the default suffix
// when the name was typed without an extension, as the file layer (files/config_file.h)
// takes paths, or nothing when the user cancels.
// The save dialog asks before it replaces an existing file; the open dialog wants an
// existing folder but not an existing file, since loading a missing file reports that.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::string> GetSavePath(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> GetOpenPath(const FileDialogRequest& request) = 0;
};

}  // namespace korvaset
