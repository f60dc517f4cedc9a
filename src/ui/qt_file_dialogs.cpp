// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/qt_file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace korvaset {

namespace {

// As QFileDialog itself completes a name: not a folder, not ending in a dot, no suffix.
QString CompletedName(const QString& path, const QString& suffix) {
  const QFileInfo info(path);
  if (suffix.isEmpty() || path.endsWith(u'.') || info.isDir() || !info.suffix().isEmpty()) {
    return path;
  }
  return path + u'.' + suffix;
}

bool ConfirmReplace(QWidget* parent, const QString& title, const QFileInfo& file) {
  return QMessageBox::warning(
             parent, title,
             QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(file.fileName()),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void ReportMissingFolder(QWidget* parent, const QString& title, const QFileInfo& file) {
  QMessageBox::warning(parent, title,
                       QFileDialog::tr("%1\nThe folder does not exist.\nCheck the path and try "
                                       "again.")
                           .arg(QDir::toNativeSeparators(file.absolutePath())));
}

std::optional<std::string> RunDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  const bool saving = mode == QFileDialog::AcceptSave;
  const QString title = QString::fromStdString(request.title);
  const QString suffix = QString::fromStdString(request.defaultSuffix);
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(mode);
  // The open dialog takes the name of a file that isn't there: loading it reports that.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(suffix);
  dialog.setNameFilter(QString::fromStdString(ToQtFileFilter(request.filter)));
  if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));

  // Some dialogs (native ones among them) hand back the name as typed: complete it here,
  // and ask before replacing a file that the dialog could not have asked about.
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString chosen = dialog.selectedFiles().front();
    const QString path = CompletedName(chosen, suffix);
    const QFileInfo file(path);
    if (!saving && !file.dir().exists()) {
      ReportMissingFolder(parent, title, file);
      continue;
    }
    if (saving && path != chosen && file.exists() && !ConfirmReplace(parent, title, file)) {
      continue;
    }
    return QFile::encodeName(path).toStdString();
  }
  return std::nullopt;
}

}  // namespace

std::string ToQtFileFilter(const std::string& filter) {
  const QString text = QString::fromStdString(filter);
  if (!text.contains(u'|')) return filter;
  const QStringList parts = text.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;  // the closing "||"
    QString pattern = parts[i + 1];
    pattern.replace(u';', u' ');
    filters << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
  }
  return filters.join(QStringLiteral(";;")).toStdString();
}

std::string WithDefaultSuffix(const std::string& path, const std::string& suffix) {
  return QFile::encodeName(CompletedName(QFile::decodeName(QByteArray::fromStdString(path)),
                                         QString::fromStdString(suffix)))
      .toStdString();
}

std::optional<std::string> QtFileDialogs::GetSavePath(const FileDialogRequest& request) {
  return RunDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogs::GetOpenPath(const FileDialogRequest& request) {
  return RunDialog(parent_, request, QFileDialog::AcceptOpen);
}

}  // namespace korvaset
