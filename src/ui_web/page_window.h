// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <emscripten/val.h>

#include "form/config_form.h"
#include "form/dialog_items.h"

namespace korvaset {

class FileDialogs;
class WebSerialPort;

// The configuration window as a page: the form's items over the elements that BuildPage
// made. The glue routes the page's events here; every handler runs to its end, pausing at
// the awaits of the serial port, the message boxes and the file pickers.
class PageWindow final : public DialogItems {
 public:
  PageWindow(FileDialogs& fileDialogs, double averageCharWidth, double charHeight);

  void Click(int id) { form_.OnClicked(id); }
  void Spin(int id, int delta) { form_.OnSpin(id, delta); }
  // Check Configuration, from the window menu or F7.
  void CheckConfiguration() { form_.OnCheckConfiguration(); }
  // The user picked a tab.
  void SelectTab(int index);

  std::string ItemText(int id) const override;
  void SetItemText(int id, std::string_view text) override;
  bool IsItemChecked(int id) const override;
  void CheckItem(int id, bool checked) override;
  int ListSelection(int id) const override;
  void SelectListEntry(int id, int index) override;
  void EnableItem(int id, bool enabled) override;
  int SelectedTab(int id) const override;
  void InsertTab(int id, int index, std::string_view text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 private:
  void MarkSelectedTab(emscripten::val tabs, int index);

  WebSerialPort* port_ = nullptr;  // owned by the form's link; set before the form is made
  ConfigForm form_;
  int waitCount_ = 0;
};

}  // namespace korvaset
