// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "form/file_dialogs.h"
#include "platform/serial_port.h"
#include "resources/control_ids.h"
#include "ui/config_window.h"
#include "ui/spin_arrows.h"

namespace korvaset {

// File dialogs that are never answered here: the window only needs one to exist.
class CancelledFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> GetSavePath(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> GetOpenPath(const FileDialogRequest&) override { return {}; }
};

// A configuration window with helpers that act as a user would: typing and clicking.
class WindowFixture {
 public:
  explicit WindowFixture(std::unique_ptr<SerialPort> port = nullptr,
                         FileDialogs* fileDialogs = nullptr)
      : window(fileDialogs != nullptr ? *fileDialogs : cancelled, std::move(port)) {}

  QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(window.Control(id)); }
  QComboBox* List(int id) const { return qobject_cast<QComboBox*>(window.Control(id)); }
  QAbstractButton* Box(int id) const { return qobject_cast<QAbstractButton*>(window.Control(id)); }
  QTabBar* Tabs() const { return qobject_cast<QTabBar*>(window.Control(kIdProfileTabs)); }
  SpinArrows* Spin(int id) const { return qobject_cast<SpinArrows*>(window.Control(id)); }
  ConfigRecord& Record() { return window.Form().Record(); }

  // Replaces a field's text (an edit's or a drop-down's) by typing.
  void Type(int id, const QString& text) const {
    QWidget* field = window.Control(id);
    if (auto* list = qobject_cast<QComboBox*>(field)) field = list->lineEdit();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }
  // The text a field, list or button shows.
  QString Text(int id) const {
    QWidget* control = window.Control(id);
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    return qobject_cast<QAbstractButton*>(control)->text();
  }
  // Clicks inside a check box's indicator, or presses a push button.
  void Click(int id) const {
    QTest::mouseClick(Box(id), Qt::LeftButton, {}, QPoint(6, Box(id)->height() / 2));
  }
  void Press(int id) const { QTest::mouseClick(Box(id), Qt::LeftButton); }
  void SwitchTab(int index) const {
    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
  }

  CancelledFileDialogs cancelled;
  ConfigWindow window;
};

}  // namespace korvaset
