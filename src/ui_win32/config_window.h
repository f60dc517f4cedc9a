// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "form/config_form.h"
#include "form/dialog_items.h"
#include "ui_win32/accessible_annotations.h"
#include "ui_win32/tab_page_background.h"
#include "ui_win32/window_tooltips.h"

namespace korvaset {

class FileDialogs;
class SerialPort;

// The program's one window in Win32: a dialog from an in-memory template of the layout
// table, whose items the form logic (ConfigForm, which owns the record and the serial
// link) reaches through DialogItems. The dialog procedure routes the controls'
// notifications to the form; Exit, About, the system menu's About and Check Configuration
// items, F7 and the tooltips are the window's own.
class ConfigWindow final : public DialogItems {
 public:
  // port: the serial port the link drives; the platform's own when none is given.
  explicit ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port = nullptr);
  ~ConfigWindow() override;
  ConfigWindow(const ConfigWindow&) = delete;
  ConfigWindow& operator=(const ConfigWindow&) = delete;

  // Runs the window modally until it closes.
  void RunModal();
  // Creates the window shown and modeless, for a caller that runs the message loop
  // (tests); it closes as the modal one does. Nothing when it can't be created.
  HWND Create();

  // The dialog while it exists.
  HWND Handle() const { return hwnd_; }
  ConfigForm& Form() { return form_; }
  // The tooltip control, once the window exists.
  HWND ToolTips() const { return toolTips_.Handle(); }
  void OnAbout();

  // DialogItems, over the dialog's items.
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
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // Sees the thread's messages before any window does, whichever loop runs: F7 and the
  // mouse over the items, which the dialog itself never gets.
  static LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
  void OnThreadMessage(MSG& message);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(int id, int code);
  bool OnNotify(const NMHDR& header);
  void Close(int id);
  // The item id of a kind (a window class name), or nullptr.
  HWND ItemOfClass(int id, const wchar_t* className) const;

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  int waitCount_ = 0;
  HCURSOR cursorBeforeWait_ = nullptr;
  TabPageBackground pageBackground_;
  WindowToolTips toolTips_;
  AccessibleAnnotations accessible_;
  struct UnhookOnDelete {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
  };
  std::unique_ptr<std::remove_pointer_t<HHOOK>, UnhookOnDelete> hook_;
  ConfigForm form_;
};

// Places a dialog over the centre of its owner's window.
void CenterOver(HWND dialog, HWND owner);

}  // namespace korvaset
