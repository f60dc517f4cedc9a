// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The form's items mapped onto the dialog's controls.
#include <windows.h>

#include <commctrl.h>

#include "ui_win32/config_window.h"
#include "ui_win32/wide_text.h"

namespace korvaset {

HWND ConfigWindow::ItemOfClass(int id, const wchar_t* className) const {
  HWND item = GetDlgItem(hwnd_, id);
  wchar_t name[32] = {};
  if (item == nullptr || GetClassNameW(item, name, 32) == 0) return nullptr;
  return lstrcmpiW(name, className) == 0 ? item : nullptr;
}

std::string ConfigWindow::ItemText(int id) const {
  HWND item = GetDlgItem(hwnd_, id);
  if (item == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetDlgItemTextW(hwnd_, id, text.data(), static_cast<int>(text.size()))));
  return Latin1FromWide(text);
}

void ConfigWindow::SetItemText(int id, std::string_view text) {
  SetDlgItemTextW(hwnd_, id, WideFromLatin1(text).c_str());
}

bool ConfigWindow::IsItemChecked(int id) const {
  return ItemOfClass(id, WC_BUTTONW) != nullptr && IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void ConfigWindow::CheckItem(int id, bool checked) {
  if (ItemOfClass(id, WC_BUTTONW) != nullptr) {
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
}

int ConfigWindow::ListSelection(int id) const {
  HWND list = ItemOfClass(id, WC_COMBOBOXW);
  return list == nullptr ? -1 : static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void ConfigWindow::SelectListEntry(int id, int index) {
  if (HWND list = ItemOfClass(id, WC_COMBOBOXW)) SendMessageW(list, CB_SETCURSEL, index, 0);
}

void ConfigWindow::EnableItem(int id, bool enabled) {
  if (HWND item = GetDlgItem(hwnd_, id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

int ConfigWindow::SelectedTab(int id) const {
  HWND tabs = ItemOfClass(id, WC_TABCONTROLW);
  return tabs == nullptr ? -1 : TabCtrl_GetCurSel(tabs);
}

void ConfigWindow::InsertTab(int id, int index, std::string_view text) {
  HWND tabs = ItemOfClass(id, WC_TABCONTROLW);
  if (tabs == nullptr) return;
  std::wstring caption = WideFromLatin1(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  TabCtrl_InsertItem(tabs, index, &item);
}

void ConfigWindow::BeginWaitCursor() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (waitCount_++ == 0) cursorBeforeWait_ = previous;
}

void ConfigWindow::EndWaitCursor() {
  if (waitCount_ > 0 && --waitCount_ == 0) SetCursor(cursorBeforeWait_);
}

}  // namespace korvaset
