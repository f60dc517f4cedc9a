// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QFont>
#include <QRect>

#include "resources/dialog_template.h"

namespace korvaset {

// Turns dialog units into pixels from a font's metrics: x in quarters of the average
// character width, y in eighths of the character height. A larger font gives a larger
// dialog of the same proportions. Dialogs use their own font, which is the application's:
// the desktop's font at the size the user chose, which stands where the original's
// 8-point dialog font stood.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int X(int units) const;
  int Y(int units) const;
  // Edges are mapped one by one, so rectangles that touch in dialog units touch in pixels.
  QRect Map(const DialogRect& rect) const;

 private:
  double baseX_;
  double baseY_;
};

}  // namespace korvaset
