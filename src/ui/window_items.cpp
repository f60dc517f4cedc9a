// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The form's items mapped onto the window's widgets.
#include <QAbstractButton>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>

#include "ui/config_window.h"
#include "ui/latin1_text.h"
#include "ui/tab_page.h"

namespace korvaset {

std::string ConfigWindow::ItemText(int id) const {
  const QWidget* control = Control(id);
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return ToLatin1(edit->text());
  if (const auto* box = qobject_cast<const QComboBox*>(control)) {
    return ToLatin1(box->currentText());
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    return ToLatin1(button->text());
  }
  return {};
}

void ConfigWindow::SetItemText(int id, std::string_view text) {
  QWidget* control = Control(id);
  const QString qtext = FromLatin1(text);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(qtext);
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    box->setEditText(qtext);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(qtext);
  }
}

bool ConfigWindow::IsItemChecked(int id) const {
  const auto* box = qobject_cast<const QAbstractButton*>(Control(id));
  return box != nullptr && box->isChecked();
}

void ConfigWindow::CheckItem(int id, bool checked) {
  if (auto* box = qobject_cast<QAbstractButton*>(Control(id))) box->setChecked(checked);
}

int ConfigWindow::ListSelection(int id) const {
  const auto* box = qobject_cast<const QComboBox*>(Control(id));
  return box == nullptr ? -1 : box->currentIndex();
}

void ConfigWindow::SelectListEntry(int id, int index) {
  auto* box = qobject_cast<QComboBox*>(Control(id));
  if (box == nullptr) return;
  box->setCurrentIndex(index);
  // An editable box keeps typed text over a new selection: the field shows the entry.
  box->setEditText(index >= 0 ? box->itemText(index) : QString());
}

void ConfigWindow::EnableItem(int id, bool enabled) {
  if (QWidget* control = Control(id)) control->setEnabled(enabled);
}

int ConfigWindow::SelectedTab(int id) const {
  const auto* tabs = qobject_cast<const QTabBar*>(Control(id));
  return tabs == nullptr ? -1 : tabs->currentIndex();
}

void ConfigWindow::InsertTab(int id, int index, std::string_view text) {
  auto* tabs = qobject_cast<QTabBar*>(Control(id));
  if (tabs == nullptr) return;
  {
    // The first tab selects itself; that is not the user's switch.
    const QSignalBlocker blocker(tabs);
    tabs->insertTab(index, FromLatin1(text));
  }
  tabPage_->LayoutTabBar();
}

void ConfigWindow::BeginWaitCursor() {
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void ConfigWindow::EndWaitCursor() {
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace korvaset
