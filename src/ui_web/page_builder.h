// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

#include "resources/dialog_template.h"

namespace korvaset {

// Dialog units in CSS pixels: x a quarter of the dialog font's average character width ("A"
// to "Z" and "a" to "z" over 52), y an eighth of its height, as the desktop windows measure.
class PageUnits {
 public:
  PageUnits(double averageWidth, double height);
  int X(int units) const;
  int Y(int units) const;

 private:
  double baseX_;
  double baseY_;
};

// Height of a drop-down's field and of the tab row, in dialog units.
inline constexpr int kDropDownFieldHeight = 12;
inline constexpr int kTabRowHeight = 13;

// The element id of a control: "ctl1000", after the dialog's prefix ("about-" for the About
// box, whose OK button shares its id with Exit).
std::string ElementId(int controlId, std::string_view prefix = {});

// Builds a dialog's controls as absolutely placed elements in container, in the table's
// order, which is the keyboard order. Each control with an id gets ElementId(id); each is
// a native element or carries its ARIA role, named by its label without the colon. An
// explained dialog's controls also carry the catalogue's help as title and description.
void BuildPage(emscripten::val container, const DialogTemplate& dialogTemplate,
               const PageUnits& units, std::string_view idPrefix = {}, bool explained = false);

}  // namespace korvaset
