// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>

#include "ui/latin1_text.h"
#include "ui/wait_cursor.h"

namespace korvaset {

namespace {

// The program's texts are ASCII; a path may be UTF-8, and bytes from the tracker are
// Latin-1. Text that is valid UTF-8 is taken as such, anything else as Latin-1.
QString MessageText(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return utf8.hasError() ? FromLatin1(text) : decoded;
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(const Message& message) {
  QMessageBox box;
  box.setWindowTitle(MessageText(message.caption));
  box.setText(MessageText(message.text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(message.icon == MessageIcon::kExclamation ? QMessageBox::Warning
                                                        : QMessageBox::NoIcon);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  QPushButton* cancel = nullptr;
  if (message.buttons == MessageButtons::kOkCancel) cancel = box.addButton(QMessageBox::Cancel);
  const bool cancelDefault = cancel != nullptr && message.defaultButton == MessageAnswer::kCancel;
  box.setDefaultButton(cancelDefault ? cancel : ok);
  box.setEscapeButton(cancel != nullptr ? cancel : ok);
  const NormalCursorWhileAsking normalCursor;
  box.exec();
  return box.clickedButton() == ok ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

}  // namespace korvaset
