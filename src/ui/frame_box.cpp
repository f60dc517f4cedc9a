// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/frame_box.h"

#include <QPainter>
#include <QStyle>

namespace korvaset {

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QRect titleRect(metrics.averageCharWidth(), 0, metrics.horizontalAdvance(title()) + 4,
                        metrics.height());

  // Drawn here rather than by the style, which may put the line below the caption.
  const QRectF frame =
      QRectF(rect().adjusted(0, metrics.height() / 2, -1, -1)).translated(0.5, 0.5);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(Qt::NoBrush);
  // The line stops either side of the caption.
  painter.setClipRegion(QRegion(rect()).subtracted(QRegion(titleRect)));
  painter.drawRoundedRect(frame, 2, 2);
  painter.setClipping(false);

  style()->drawItemText(&painter, titleRect, Qt::AlignCenter, palette(), isEnabled(), title(),
                        QPalette::WindowText);
}

}  // namespace korvaset
