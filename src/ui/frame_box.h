// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QGroupBox>

namespace korvaset {

// A group box drawn as dialog layouts expect it: the frame line runs through the middle of
// the caption, so controls placed just below the caption stay clear of the line.
class FrameBox final : public QGroupBox {
  Q_OBJECT

 public:
  explicit FrameBox(const QString& title, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvaset
