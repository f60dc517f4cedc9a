// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/spin_arrows.h"

#include <QToolButton>

namespace korvaset {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAccessibleName(name);
  button->setAutoRepeat(true);  // holding an arrow keeps stepping, as a spin does
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrow(this, Qt::UpArrow, QStringLiteral("Up"))),
      down_(MakeArrow(this, Qt::DownArrow, QStringLiteral("Down"))) {
  connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

void SpinArrows::resizeEvent(QResizeEvent* /*event*/) {
  const int upHeight = height() / 2;
  up_->setGeometry(0, 0, width(), upHeight);
  down_->setGeometry(0, upHeight, width(), height() - upHeight);
}

}  // namespace korvaset
