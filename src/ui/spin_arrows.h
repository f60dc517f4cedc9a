// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QWidget>

class QToolButton;

namespace korvaset {

// A pair of up and down arrows that belongs to no edit: it only reports the steps, and the
// window changes the edit's text itself.
class SpinArrows final : public QWidget {
  Q_OBJECT

 public:
  explicit SpinArrows(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  // +1 for the up arrow, -1 for the down arrow.
  void Stepped(int delta);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace korvaset
