// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

#include "form/file_dialogs.h"
#include "ui_win32/owner_window.h"

namespace korvaset {

// The common dialogs GetSaveFileNameW and GetOpenFileNameW over the program's window.
// Paths come back as UTF-8.
class Win32FileDialogs final : public FileDialogs {
 public:
  explicit Win32FileDialogs(OwnerWindow owner = {}) : owner_(std::move(owner)) {}
  std::optional<std::string> GetSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> GetOpenPath(const FileDialogRequest& request) override;

 private:
  OwnerWindow owner_;
};

// The filter of a request as the common dialogs take it: "Description|*.ext||" becomes
// "Description\0*.ext\0\0"; a bare pattern describes itself.
std::wstring CommonDialogFilter(const std::string& filter);

}  // namespace korvaset
