// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>
#include <string_view>

namespace korvaset {

// The window as the form logic sees it: the dialog's items by control id (resources/
// control_ids.h), and nothing a toolkit draws. Each window implements it over its own
// controls, so that every rule of the form lives once, in ConfigForm; a test implements it
// as a map from id to value.
//
// The calls are Win32's own dialog surface. A Win32 dialog implements each with the call
// named beside it; the Qt window maps them onto its widgets.
//
// Texts are single-byte Latin-1, as the configuration record holds text. A window converts
// at this edge: from Latin-1 to its own text type when setting, and back when reading, with
// '?' for each character that Latin-1 lacks (one '?' per character, also beyond 16 bits).
//
// Calls with an id that names no item of the right kind do nothing and read as empty,
// unchecked, no selection. None of the setters notifies the form: setting a check box, a
// text, a selection or adding a tab never runs a handler (on Win32 CheckDlgButton,
// SetDlgItemText, CB_SETCURSEL and TCM_INSERTITEM send no BN_CLICKED or TCN_SELCHANGE; the
// Qt window blocks the tab strip's signals while adding tabs).
class DialogItems {
 public:
  virtual ~DialogItems() = default;

  // The whole text of an edit, of a drop-down's field (what it shows, typed or picked), or
  // the caption of a button or check box. GetDlgItemTextW, then Latin-1.
  virtual std::string ItemText(int id) const = 0;
  // Sets that text. Latin-1, then SetDlgItemTextW.
  virtual void SetItemText(int id, std::string_view text) = 0;

  // Whether a check box is checked. IsDlgButtonChecked(...) == BST_CHECKED.
  virtual bool IsItemChecked(int id) const = 0;
  // Checks or clears a check box. CheckDlgButton with BST_CHECKED or BST_UNCHECKED.
  virtual void CheckItem(int id, bool checked) = 0;

  // The index of the entry selected in a drop-down's list, or -1 for none. CB_GETCURSEL.
  // The form never takes this alone: a toolkit may keep the last entry picked while the
  // user types over the field (Qt does), so the form compares it with the field's text
  // (ConfigForm::SelectedEntry).
  virtual int ListSelection(int id) const = 0;
  // Selects entry index of a drop-down's list, and the field shows that entry; -1 selects
  // nothing and empties the field. The form passes only -1 or an index of the list.
  // CB_SETCURSEL.
  virtual void SelectListEntry(int id, int index) = 0;

  // Enables or disables an item. EnableWindow(GetDlgItem(...)).
  virtual void EnableItem(int id, bool enabled) = 0;

  // The index of the tab selected in a tab strip, -1 when it has no tab. TabCtrl_GetCurSel.
  virtual int SelectedTab(int id) const = 0;
  // Inserts a text-only tab at index; the first tab added becomes the selected one.
  // TabCtrl_InsertItem with TCIF_TEXT.
  virtual void InsertTab(int id, int index, std::string_view text) = 0;

  // The busy cursor over the program's windows while a device operation blocks the one
  // thread, and the previous cursor back. Calls nest in pairs; use WaitCursorScope. On
  // Win32: SetCursor(LoadCursor(nullptr, IDC_WAIT)), answering WM_SETCURSOR with it while
  // the count is above 0, then the previous cursor back.
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
};

// Shows the busy cursor for as long as it lives.
class WaitCursorScope {
 public:
  explicit WaitCursorScope(DialogItems& items) : items_(items) { items_.BeginWaitCursor(); }
  ~WaitCursorScope() { items_.EndWaitCursor(); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;

 private:
  DialogItems& items_;
};

}  // namespace korvaset
