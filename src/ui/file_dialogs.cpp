#include "ui/file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace korvaset {

namespace {

std::optional<std::string> RunDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString::fromStdString(request.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  dialog.setNameFilter(QString::fromStdString(ToQtFileFilter(request.filter)));
  if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
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

std::optional<std::string> QtFileDialogs::GetSavePath(const FileDialogRequest& request) {
  return RunDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogs::GetOpenPath(const FileDialogRequest& request) {
  return RunDialog(parent_, request, QFileDialog::AcceptOpen);
}

}  // namespace korvaset
