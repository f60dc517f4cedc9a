// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace korvaset {

// The brush that lets the labels, check boxes and group boxes lying on a tab strip's page
// blend with the page as the tab strip draws it (white under the visual styles, the
// dialog's colour without them), rather than leaving patches of the dialog's colour.
class TabPageBackground {
 public:
  // The brush for a WM_CTLCOLORSTATIC or WM_CTLCOLORBTN of control, whose device context
  // is dc, aligned with the page; nullptr for a control that isn't a label or button on
  // tab's page, which then keeps the dialog's colour.
  HBRUSH ForControl(HWND tab, HWND control, HDC dc);
  // Erases the background of dialog, tab's parent, on dc: the dialog's colour, and tab's
  // page where it lies. The tab strip leaves out the items above it, so the inside of a
  // group box shows what is painted here, as does a control that draws its parent's
  // background beneath it.
  void EraseDialog(HWND dialog, HWND tab, HDC dc);
  // Forgets the page's picture, for a change of theme or system colours.
  void Reset();

 private:
  // The brush, its pattern aligned to tab's corner on dc, a device context of window.
  HBRUSH AlignedBrush(HWND tab, HWND window, HDC dc);

  struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
  };
  template <typename Handle>
  using Gdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

  // The brush, and the picture it is made of, kept while the brush is in use.
  Gdi<HBITMAP> picture_;
  Gdi<HBRUSH> brush_;
  SIZE size_{};
  // While the tab strip draws the picture, which may ask the dialog to erase beneath it.
  bool capturing_ = false;
};

}  // namespace korvaset
