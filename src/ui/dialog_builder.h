// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QHash>
#include <QIcon>

#include "resources/dialog_template.h"
#include "ui/dialog_units.h"

class QLabel;
class QWidget;

namespace korvaset {

class TabPage;

// The widgets that a dialog template became.
struct BuiltDialog {
  QHash<int, QWidget*> controls;        // by id; the tab strip's entry is its tab row
  QMultiHash<int, QLabel*> sideLabels;  // a control's label and unit, by the control's id
  TabPage* tabPage = nullptr;
};

// Creates the template's controls as children of dialog, placed in dialog units of
// the dialog's font, with their captions, lists, object names ("ctl1000") and
// accessible names (the label without its colon, or the caption). Fixes the dialog's size
// and caption.
BuiltDialog BuildDialog(QWidget& dialog, const DialogTemplate& dialogTemplate, const QIcon& icon);

// Height in dialog units of a drop-down's field; the template's height is the list's.
inline constexpr int kDropDownFieldHeight = 12;
// Height in dialog units of the tab row at most.
inline constexpr int kTabRowHeight = 13;

}  // namespace korvaset
