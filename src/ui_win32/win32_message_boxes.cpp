// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/win32_message_boxes.h"

#include <windows.h>

#include "ui_win32/wide_text.h"

namespace korvaset {

MessageAnswer Win32MessageBoxes::Show(const Message& message) {
  UINT type = message.buttons == MessageButtons::kOkCancel ? MB_OKCANCEL : MB_OK;
  if (message.buttons == MessageButtons::kOkCancel &&
      message.defaultButton == MessageAnswer::kCancel) {
    type |= MB_DEFBUTTON2;
  }
  if (message.icon == MessageIcon::kExclamation) type |= MB_ICONEXCLAMATION;
  const HWND owner = owner_ ? owner_() : nullptr;
  const int answer = MessageBoxW(owner, WideFromReportText(message.text).c_str(),
                                 WideFromReportText(message.caption).c_str(), type);
  return answer == IDOK ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

}  // namespace korvaset
