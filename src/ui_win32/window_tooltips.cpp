// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/window_tooltips.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "config/settings_catalogue.h"
#include "resources/control_ids.h"
#include "ui_win32/dialog_template_builder.h"
#include "ui_win32/wide_text.h"

namespace korvaset {

namespace {

// Width of the tip in dialog units before it wraps; the catalogue's lines are longer.
constexpr int kTipWidth = 220;
// Long enough to read two sentences of help.
constexpr int kShowMilliseconds = 30000;

// A window's rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND item) {
  RECT rect{};
  GetWindowRect(item, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The tab strip's tool is its row of tabs: the page beneath holds the other controls.
RECT TabRowRect(HWND dialog, HWND tabs) {
  RECT row{};
  for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
    RECT item{};
    TabCtrl_GetItemRect(tabs, i, &item);
    UnionRect(&row, &row, &item);
  }
  MapWindowPoints(tabs, dialog, reinterpret_cast<POINT*>(&row), 2);
  return row;
}

// Where the tooltip asks which window lies under the mouse, the dialog answers for every
// point of its client area, disabled controls included.
LRESULT CALLBACK TipProc(HWND tip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR dialogData) {
  if (message == TTM_WINDOWFROMPOINT) {
    const auto dialog = reinterpret_cast<HWND>(dialogData);
    POINT point = *reinterpret_cast<const POINT*>(lParam);
    RECT client{};
    GetClientRect(dialog, &client);
    ScreenToClient(dialog, &point);
    if (PtInRect(&client, point)) return reinterpret_cast<LRESULT>(dialog);
  }
  return DefSubclassProc(tip, message, wParam, lParam);
}

}  // namespace

void WindowToolTips::Create(HWND dialog, const DialogTemplate& layout) {
  dialog_ = dialog;
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  if (tip_ == nullptr) return;
  SetWindowSubclass(tip_, &TipProc, 1, reinterpret_cast<DWORD_PTR>(dialog));
  RECT width{0, 0, kTipWidth, 0};
  MapDialogRect(dialog, &width);
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, width.right);
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kShowMilliseconds);

  int index = -1;
  for (const ControlDef& def : layout.controls) {
    ++index;
    const Setting* setting = FindSettingByControl(def.id);
    HWND item = def.id == kStaticId ? nullptr : GetDlgItem(dialog, def.id);
    if (setting == nullptr || item == nullptr) continue;
    RECT rect{};
    if (def.id == kIdProfileTabs) {
      rect = TabRowRect(dialog, item);
    } else {
      rect = RectInDialog(dialog, item);
      for (const int side : {kLabelIdBase + index, kUnitIdBase + index}) {
        if (HWND label = GetDlgItem(dialog, side)) {
          const RECT labelRect = RectInDialog(dialog, label);
          UnionRect(&rect, &rect, &labelRect);
        }
      }
    }
    std::wstring text = WideFromLatin1(SettingTooltip(*setting));
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = static_cast<UINT_PTR>(def.id);
    tool.rect = rect;
    tool.lpszText = text.data();  // the tooltip keeps a copy
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void WindowToolTips::Relay(const MSG& message) const {
  if (tip_ == nullptr || message.message < WM_MOUSEMOVE || message.message > WM_MBUTTONDBLCLK) {
    return;
  }
  // A disabled control's messages go to whatever enabled window lies beneath it: the tools
  // are the dialog's, so the point is too.
  POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  MapWindowPoints(message.hwnd, dialog_, &point, 1);
  MSG relayed = message;
  relayed.hwnd = dialog_;
  relayed.lParam = MAKELPARAM(point.x, point.y);
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace korvaset
