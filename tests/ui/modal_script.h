// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

namespace korvaset {

// Answers the modal windows that open from now on, one step each, in the order they open.
// Steps act through queued calls, so that a window that opens from inside another's
// accept() is met by the next step.
class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(10);
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || Done()) return;
    if (modal == handled_ && handled_->isVisible()) return;  // still closing
    handled_ = modal;
    steps_[next_++](modal);
  }

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QPointer<QWidget> handled_;
  QTimer timer_;
};

// A file dialog step: the name typed into the dialog's name field, then Enter.
inline ModalScript::Step TypeName(const QString& name) {
  return [name](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field != nullptr);
    field->setText(name);
    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
  };
}

inline ModalScript::Step Cancel() {
  return [](QWidget* modal) {
    QMetaObject::invokeMethod(qobject_cast<QDialog*>(modal), &QDialog::reject,
                              Qt::QueuedConnection);
  };
}

// A message box step: the button pressed, after noting the box's text.
inline ModalScript::Step Answer(QMessageBox::StandardButton button, QString* text) {
  return [button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box != nullptr);
    *text = box->text();
    QMetaObject::invokeMethod(box->button(button), &QAbstractButton::click, Qt::QueuedConnection);
  };
}

}  // namespace korvaset
