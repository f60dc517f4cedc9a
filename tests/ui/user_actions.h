#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "resources/control_ids.h"
#include "ui/config_window.h"

namespace korvaset {

// What a user does to the window, as the fixtures of the window tests share it.

// Replaces a field's text by typing.
inline void TypeInto(const ConfigWindow& window, int id, const QString& text) {
  QWidget* field = window.Control(id);
  if (auto* list = qobject_cast<QComboBox*>(field)) field = list->lineEdit();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

// The text a field, list or button shows.
inline QString ShownText(const ConfigWindow& window, int id) {
  QWidget* control = window.Control(id);
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  return qobject_cast<QAbstractButton*>(control)->text();
}

// Clicks inside a check box's indicator.
inline void ClickIndicator(const ConfigWindow& window, int id) {
  auto* box = qobject_cast<QAbstractButton*>(window.Control(id));
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

inline void SelectTab(const ConfigWindow& window, int index) {
  auto* tabs = qobject_cast<QTabBar*>(window.Control(kIdProfileTabs));
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

}  // namespace korvaset
