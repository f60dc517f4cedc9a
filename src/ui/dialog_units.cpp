// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/dialog_units.h"

#include <QFontMetricsF>
#include <cmath>

namespace korvaset {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetricsF metrics(font);
  // The average over the letters, as the original platform measures a dialog font.
  static const QString kLetters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  baseX_ = metrics.horizontalAdvance(kLetters) / kLetters.size();
  baseY_ = std::ceil(metrics.height());
}

int DialogUnits::X(int units) const {
  return static_cast<int>(std::lround(units * baseX_ / 4));
}

int DialogUnits::Y(int units) const {
  return static_cast<int>(std::lround(units * baseY_ / 8));
}

QRect DialogUnits::Map(const DialogRect& rect) const {
  const int left = X(rect.x);
  const int top = Y(rect.y);
  return {left, top, X(rect.x + rect.width) - left, Y(rect.y + rect.height) - top};
}

}  // namespace korvaset
