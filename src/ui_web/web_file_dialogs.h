// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "form/file_dialogs.h"

namespace korvaset {

// Files through the browser. Save asks for a file (showSaveFilePicker, or a download under
// the proposed name) and gives the form a file in memory; once the handler has ended, the
// glue writes that file's bytes to the one picked, if the save made it whole. Load asks for a
// file (showOpenFilePicker or <input type=file>) and copies it into memory for the form.
class WebFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> GetSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> GetOpenPath(const FileDialogRequest& request) override;

  // Where the saved and the loaded file lie in the page's memory.
  static constexpr const char* kSavePath = "/korvaset/save.kvc";
  static constexpr const char* kOpenPath = "/korvaset/open.kvc";
};

}  // namespace korvaset
