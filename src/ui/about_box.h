// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QDialog>

class QIcon;

namespace korvaset {

// "About Korvaset": the icon, the version and the copyright, and OK. Created for each
// showing, centred over the window that opens it.
class AboutBox final : public QDialog {
  Q_OBJECT

 public:
  AboutBox(const QIcon& icon, QWidget* parent);
};

}  // namespace korvaset
