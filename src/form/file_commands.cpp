// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Save and Load: the configuration in files, through the file dialogs.
#include "files/config_file.h"
#include "form/config_form.h"
#include "form/file_dialogs.h"

namespace korvaset {

namespace {

// Both dialogs list the configuration files; a name typed without an extension gets it.
constexpr const char* kConfigFilter = "Korvalink Config files|*.kvc||";
constexpr const char* kConfigSuffix = "kvc";

}  // namespace

void ConfigForm::OnSaveConfig() {
  const std::optional<std::string> path = fileDialogs_.GetSavePath({.title = "Save Config File",
                                                                    .initialName = "config1.kvc",
                                                                    .defaultSuffix = kConfigSuffix,
                                                                    .filter = kConfigFilter});
  if (!path) return;
  CopyFormToRecord();
  // A failure has been shown; the window goes on as it is, without a refresh.
  SaveConfigFile(record_, *path);
}

void ConfigForm::OnLoadConfig() {
  const std::optional<std::string> path = fileDialogs_.GetOpenPath({.title = "Load Config File",
                                                                    .initialName = "",
                                                                    .defaultSuffix = kConfigSuffix,
                                                                    .filter = kConfigFilter});
  if (!path) return;
  // The tab stays: the loaded values of the profile it shows replace what the form holds.
  if (LoadConfigFile(record_, *path)) CopyRecordToForm();
}

}  // namespace korvaset
