// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include "resources/dialog_template.h"

namespace korvaset {

// The help of each control from the settings catalogue, in one multi-line tooltip control.
// A disabled control gets no mouse messages, so a tool that subclasses it never shows: each
// tool is instead a rectangle of the dialog (the control with its label and unit), the
// dialog's mouse messages are relayed to the tooltip, and the tooltip takes every point of
// the dialog as the dialog's. Nine controls start disabled, and the user wants to know why.
class WindowToolTips {
 public:
  WindowToolTips() = default;
  WindowToolTips(const WindowToolTips&) = delete;
  WindowToolTips& operator=(const WindowToolTips&) = delete;

  // Creates the tooltip over the dialog's items once they are placed and the tabs added.
  // The dialog owns the tooltip window and destroys it.
  void Create(HWND dialog, const DialogTemplate& layout);
  // Passes a mouse message of the dialog or one of its items on to the tooltip.
  void Relay(const MSG& message) const;

  HWND Handle() const { return tip_; }

 private:
  HWND dialog_ = nullptr;
  HWND tip_ = nullptr;
};

}  // namespace korvaset
