// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/about_box.h"

#include <QAbstractButton>

#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "ui/dialog_builder.h"

namespace korvaset {

AboutBox::AboutBox(const QIcon& icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  const BuiltDialog built = BuildDialog(*this, AboutBoxTemplate(), icon);
  auto* ok = qobject_cast<QAbstractButton*>(built.controls.value(kIdExit));
  connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
  ok->setFocus();
}

}  // namespace korvaset
