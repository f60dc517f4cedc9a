// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/dialog_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>

#include "resources/accessible_name.h"
#include "ui/frame_box.h"
#include "ui/latin1_text.h"
#include "ui/spin_arrows.h"
#include "ui/tab_page.h"

namespace korvaset {

namespace {

// Gap between a label and its control, in dialog units.
constexpr int kLabelGap = 2;

QComboBox* MakeDropDown(QWidget* parent, const ControlDef& def) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  // Typed text stays typed text: it neither joins the list nor is completed to an entry.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  for (const std::string_view entry : DropDownEntries(def.id)) box->addItem(FromLatin1(entry));
  // The template's height is that of the dropped-down list: show as many entries as fit.
  box->setMaxVisibleItems(std::max(1, (def.rect.height - kDropDownFieldHeight) / 8));
  return box;
}

QWidget* MakeControl(QWidget& dialog, const ControlDef& def, const DialogUnits& units,
                     const QIcon& icon, BuiltDialog& built) {
  const QString caption = FromLatin1(def.caption);
  switch (def.kind) {
    case ControlKind::kTabStrip: {
      auto* page = new TabPage(units.Y(kTabRowHeight), &dialog);
      built.tabPage = page;
      return page;
    }
    case ControlKind::kFrame:
      return new FrameBox(caption, &dialog);
    case ControlKind::kEdit:
      return new QLineEdit(&dialog);
    case ControlKind::kCheckBox:
      return new QCheckBox(caption, &dialog);
    case ControlKind::kDropDown:
      return MakeDropDown(&dialog, def);
    case ControlKind::kSpin:
      return new SpinArrows(&dialog);
    case ControlKind::kButton:
    case ControlKind::kDefaultButton: {
      auto* button = new QPushButton(caption, &dialog);
      // Enter in a field goes to the default button; Enter on a push button that has the
      // focus presses that button, as it would on the original platform, not the default.
      button->setAutoDefault(true);
      button->setDefault(def.kind == ControlKind::kDefaultButton);
      return button;
    }
    case ControlKind::kText:
      return new QLabel(caption, &dialog);
    case ControlKind::kIcon: {
      auto* label = new QLabel(&dialog);
      label->setPixmap(icon.pixmap(32, 32));
      return label;
    }
  }
  return nullptr;
}

QRect ControlRect(QWidget& widget, const ControlDef& def, const DialogUnits& units) {
  QRect rect = units.Map(def.rect);
  switch (def.kind) {
    case ControlKind::kDropDown:
      rect.setHeight(units.Y(def.rect.y + kDropDownFieldHeight) - units.Y(def.rect.y));
      break;
    case ControlKind::kCheckBox:
      // A caption wider in this font than in the original's keeps its full width.
      rect.setWidth(std::max(rect.width(), widget.sizeHint().width()));
      break;
    case ControlKind::kIcon:
      rect.setSize(widget.sizeHint());
      break;
    default:
      break;
  }
  return rect;
}

// A label beside its control, vertically centred on it, one text line high.
QLabel* MakeSideLabel(QWidget& dialog, std::string_view text, const QRect& control, bool before) {
  auto* label = new QLabel(FromLatin1(text), &dialog);
  const QFontMetrics metrics(label->font());
  const int width = metrics.horizontalAdvance(label->text()) + 2;
  const int height = metrics.height();
  const int top = control.center().y() - (height - 1) / 2;
  label->setAlignment((before ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  label->setGeometry(0, top, width, height);
  return label;
}

}  // namespace

BuiltDialog BuildDialog(QWidget& dialog, const DialogTemplate& dialogTemplate, const QIcon& icon) {
  BuiltDialog built;
  const DialogUnits units(dialog.font());
  const int gap = units.X(kLabelGap);
  std::vector<QWidget*> frames;

  for (const ControlDef& def : dialogTemplate.controls) {
    QWidget* widget = MakeControl(dialog, def, units, icon, built);
    const QRect rect = ControlRect(*widget, def, units);
    widget->setGeometry(rect);
    widget->setAccessibleName(FromLatin1(AccessibleNameOf(def)));

    if (def.kind == ControlKind::kFrame || def.kind == ControlKind::kTabStrip) {
      frames.push_back(widget);
    }
    if (def.id != kStaticId) {
      QWidget* named = def.kind == ControlKind::kTabStrip
                           ? static_cast<QWidget*>(built.tabPage->TabBar())
                           : widget;
      named->setObjectName(QStringLiteral("ctl%1").arg(def.id));
      if (named != widget) named->setAccessibleName(widget->accessibleName());
      built.controls.insert(def.id, named);
    }
    if (!def.label.empty()) {
      QLabel* label = MakeSideLabel(dialog, def.label, rect, true);
      label->move(rect.left() - gap - label->width(), label->y());
      label->setBuddy(widget);
      built.sideLabels.insert(def.id, label);
    }
    if (!def.unit.empty()) {
      QLabel* unit = MakeSideLabel(dialog, def.unit, rect, false);
      unit->move(rect.right() + 1 + gap, unit->y());
      built.sideLabels.insert(def.id, unit);
    }
  }
  // Frames lie beneath what they hold, and the tab page beneath everything.
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) (*it)->lower();

  dialog.setFixedSize(units.X(dialogTemplate.width), units.Y(dialogTemplate.height));
  dialog.setWindowTitle(FromLatin1(dialogTemplate.caption));
  return built;
}

}  // namespace korvaset
