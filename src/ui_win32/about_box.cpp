// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/about_box.h"

#include "resources/dialog_template.h"
#include "ui_win32/config_window.h"
#include "ui_win32/dialog_template_builder.h"

namespace korvaset {

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      CenterOver(dialog, GetWindow(dialog, GW_OWNER));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunAboutBox(HWND owner) {
  static const DialogTemplateData data = BuildDialogTemplate(
      AboutBoxTemplate(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), data.Get(), owner, &AboutProc, 0);
}

}  // namespace korvaset
