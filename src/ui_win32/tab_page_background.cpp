// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/tab_page_background.h"

#include <commctrl.h>

#include <cwchar>

namespace korvaset {

namespace {

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// value modulo size, never negative.
int Wrap(int value, int size) {
  return (value % size + size) % size;
}

// The page beneath the tabs, in tab's client coordinates.
RECT PageOf(HWND tab) {
  RECT page{};
  GetClientRect(tab, &page);
  TabCtrl_AdjustRect(tab, FALSE, &page);
  return page;
}

// Labels and buttons only: a read-only or disabled edit also asks for WM_CTLCOLORSTATIC,
// and keeps its grey so that it looks unavailable.
bool IsLabelOrButton(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return _wcsicmp(name, L"Static") == 0 || _wcsicmp(name, WC_BUTTONW) == 0;
}

bool LiesOnPage(HWND tab, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(tab, &centre);
  const RECT page = PageOf(tab);
  return PtInRect(&page, centre) != FALSE;
}

}  // namespace

HBRUSH TabPageBackground::ForControl(HWND tab, HWND control, HDC dc) {
  if (tab == nullptr || !IsLabelOrButton(control) || !LiesOnPage(tab, control)) return nullptr;
  HBRUSH brush = AlignedBrush(tab, control, dc);
  if (brush != nullptr) SetBkMode(dc, TRANSPARENT);
  return brush;
}

void TabPageBackground::EraseDialog(HWND dialog, HWND tab, HDC dc) {
  RECT client{};
  GetClientRect(dialog, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  HBRUSH brush = tab != nullptr ? AlignedBrush(tab, dialog, dc) : nullptr;
  if (brush == nullptr) return;
  // The page with its border, where group boxes may reach; not the tabs, which change.
  RECT area{};
  GetClientRect(tab, &area);
  area.top = PageOf(tab).top;
  MapWindowPoints(tab, dialog, reinterpret_cast<POINT*>(&area), 2);
  FillRect(dc, &area, brush);
}

HBRUSH TabPageBackground::AlignedBrush(HWND tab, HWND window, HDC dc) {
  // The tab strip may ask its parent for the background beneath it while it draws itself.
  if (capturing_) return nullptr;
  if (!brush_) {
    // The tab strip's own picture of itself: its themed body, or plain without a theme.
    RECT client{};
    GetClientRect(tab, &client);
    size_ = {client.right, client.bottom};
    if (size_.cx <= 0 || size_.cy <= 0) return nullptr;
    const std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> memory(CreateCompatibleDC(dc));
    picture_.reset(CreateCompatibleBitmap(dc, size_.cx, size_.cy));
    if (!memory || !picture_) return nullptr;
    const HGDIOBJ previous = SelectObject(memory.get(), picture_.get());
    capturing_ = true;
    SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    capturing_ = false;
    SelectObject(memory.get(), previous);
    brush_.reset(CreatePatternBrush(picture_.get()));
    if (!brush_) return nullptr;
  }
  // The pattern starts at the tab strip's corner, wherever dc's origin lies.
  POINT corner{};
  MapWindowPoints(tab, window, &corner, 1);
  LPtoDP(dc, &corner, 1);
  SetBrushOrgEx(dc, Wrap(corner.x, size_.cx), Wrap(corner.y, size_.cy), nullptr);
  return brush_.get();
}

void TabPageBackground::Reset() {
  brush_.reset();
  picture_.reset();
}

}  // namespace korvaset
