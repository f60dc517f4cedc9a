// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <span>
#include <string_view>

namespace korvaset {

// A rectangle in dialog units: x in quarters of the dialog font's average character
// width, y in eighths of its height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind {
  kTabStrip,       // tab row over a page frame; every other page control lies on it
  kFrame,          // group box with a caption
  kEdit,           // single-line text field
  kCheckBox,       // two-state box with its caption
  kDropDown,       // editable combo box; height is that of the dropped-down list
  kSpin,           // detached up and down arrows
  kButton,         // push button
  kDefaultButton,  // push button that Enter activates
  kText,           // static text
  kIcon,           // the application icon, sized by the icon
};

// Controls without an id of their own (frames, texts).
inline constexpr int kStaticId = -1;

// One control of a dialog: what it is, where it lies and what names it.
struct ControlDef {
  int id = kStaticId;
  ControlKind kind = ControlKind::kText;
  std::string_view caption;  // on buttons, check boxes, frames and texts
  DialogRect rect;
  std::string_view label;           // placed right-aligned left of the control ("Callsign:")
  std::string_view unit;            // placed after the control ("sec")
  std::string_view frame;           // caption of the frame it belongs to, if any
  std::string_view accessibleName;  // for controls that neither label nor caption names
};

struct DialogTemplate {
  std::string_view caption;
  int width = 0;   // dialog units
  int height = 0;  // dialog units
  std::span<const ControlDef> controls;
};

// The configuration window (356 by 326) and the About box (235 by 55).
const DialogTemplate& ConfigWindowTemplate();
const DialogTemplate& AboutBoxTemplate();

// The entries of a drop-down list, in order; empty for controls that have no list.
std::span<const std::string_view> DropDownEntries(int id);

}  // namespace korvaset
