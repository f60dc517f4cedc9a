// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The Qt file dialogs: names completed, a replaced file confirmed, a folder that must exist.
#include <QTest>
#include <optional>
#include <string>

#include "modal_script.h"
#include "support/temp_dir.h"
#include "ui/qt_file_dialogs.h"

namespace korvaset {

namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

const FileDialogRequest kSaveRequest{.title = "Save Config File",
                                     .initialName = "config1.kvc",
                                     .defaultSuffix = "kvc",
                                     .filter = "Korvalink Config files|*.kvc||"};

}  // namespace

class QtFileDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void TurnsFileFiltersIntoQtFilters() {
    QCOMPARE(ToQtFileFilter("Korvalink Config files *.kvc|*.kvc||"),
             std::string("Korvalink Config files *.kvc (*.kvc)"));
    QCOMPARE(ToQtFileFilter("Configs|*.kvc;*.bin|All|*.*||"),
             std::string("Configs (*.kvc *.bin);;All (*.*)"));
    QCOMPARE(ToQtFileFilter("*.kvc"), std::string("*.kvc"));
  }

  void CompletesOnlyANameWithoutExtension_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("completed");
    QTest::newRow("no extension") << "/tmp/x/mine"
                                  << "/tmp/x/mine.kvc";
    QTest::newRow("its extension") << "/tmp/x/mine.kvc"
                                   << "/tmp/x/mine.kvc";
    QTest::newRow("another extension") << "/tmp/x/mine.bin"
                                       << "/tmp/x/mine.bin";
    QTest::newRow("dot in a folder") << "/tmp/x.d/mine"
                                     << "/tmp/x.d/mine.kvc";
    QTest::newRow("trailing dot") << "/tmp/x/mine."
                                  << "/tmp/x/mine.";
    QTest::newRow("a folder") << "/tmp"
                              << "/tmp";
  }
  void CompletesOnlyANameWithoutExtension() {
    QFETCH(QString, chosen);
    QFETCH(QString, completed);
    QCOMPARE(QString::fromStdString(WithDefaultSuffix(chosen.toStdString(), "kvc")), completed);
  }

  void TheQtDialogsCompleteANameWithoutExtension() {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.Path(""));
    QtFileDialogs dialogs;

    ModalScript save({TypeName(folder + "mine")});
    QCOMPARE(dialogs.GetSavePath(kSaveRequest), std::optional(dir.Path("mine.kvc")));
    QVERIFY(save.Done());

    // The open dialog takes a file that isn't there: the file layer reports that.
    ModalScript open({TypeName(folder + "missing")});
    QCOMPARE(dialogs.GetOpenPath(kSaveRequest), std::optional(dir.Path("missing.kvc")));
    QVERIFY(open.Done());
  }

  void TheQtSaveDialogAsksBeforeReplacingAFile() {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.Path(""));
    WriteFileBytes(dir.Path("mine.kvc"), "keep");
    QtFileDialogs dialogs;
    QString first;
    QString second;
    ModalScript script({TypeName(folder + "mine"), Answer(QMessageBox::No, &first),
                        TypeName(folder + "mine"), Answer(QMessageBox::Yes, &second)});
    QCOMPARE(dialogs.GetSavePath(kSaveRequest), std::optional(dir.Path("mine.kvc")));
    QVERIFY(script.Done());
    QVERIFY2(first.contains("mine.kvc already exists"), qPrintable(first));
    QVERIFY(second.contains("mine.kvc already exists"));
    QCOMPARE(ReadFileBytes(dir.Path("mine.kvc")), std::string("keep"));
  }

  void TheQtOpenDialogWantsAnExistingFolder() {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.Path(""));
    QtFileDialogs dialogs;
    QString warning;
    ModalScript script(
        {TypeName(folder + "nowhere/x.kvc"), Answer(QMessageBox::Ok, &warning), Cancel()});
    QCOMPARE(dialogs.GetOpenPath(kSaveRequest), std::nullopt);
    QVERIFY(script.Done());
    QVERIFY2(warning.contains("does not exist"), qPrintable(warning));
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::QtFileDialogsTest)
#include "qt_file_dialogs_test.moc"
