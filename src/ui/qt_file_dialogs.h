// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <string>

#include "form/file_dialogs.h"

class QWidget;

namespace korvaset {

// QFileDialog, modal over a window. Paths are returned in the file system's encoding, a
// name typed without an extension completed with the default suffix. The open dialog
// wants an existing folder but not an existing file; the save dialog asks before it
// replaces a file.
class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> GetSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> GetOpenPath(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

// A filter in the "Description|pattern|...||" form as QFileDialog writes filters
// ("Description (pattern);;..."). A text without a bar is a bare pattern and stays as it is.
std::string ToQtFileFilter(const std::string& filter);

// The path with "." and the suffix appended when its name has no extension (and is no
// folder, nor ends in a dot), as the dialogs complete a name.
std::string WithDefaultSuffix(const std::string& path, const std::string& suffix);

}  // namespace korvaset
