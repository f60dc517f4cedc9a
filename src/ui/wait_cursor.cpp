// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace korvaset {

NormalCursorWhileAsking::NormalCursorWhileAsking()
    : pushed_(QGuiApplication::overrideCursor() != nullptr) {
  if (pushed_) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

NormalCursorWhileAsking::~NormalCursorWhileAsking() {
  if (pushed_) QGuiApplication::restoreOverrideCursor();
}

}  // namespace korvaset
