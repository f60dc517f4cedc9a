// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// One user's path through the real window, end to end: Read Config from korvalink-sim on a
// pseudo-terminal, then Save through the Qt file dialog, every box answered as a user would.
#include <QTest>
#include <string>

#include "child_process.h"
#include "files/config_file.h"
#include "modal_script.h"
#include "platform/message_box.h"
#include "ui/qt_file_dialogs.h"
#include "ui/qt_message_boxes.h"
#include "window_fixture.h"

namespace korvaset {

class UserPathTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadConfigThenSave() {
    testing::TempDir dir;
    ConfigRecord stored;
    stored.SetCallsign("PRIME-1");
    stored.manualTxRate[0] = 45;
    const std::string image = dir.Path("tracker.kvc");
    QVERIFY(!SaveConfigFile(stored, image));
    const std::string link = dir.Path("korvalink");
    testing::SimProcess tracker({"--image", image, "--link", link});
    QVERIFY(tracker.Ready());
    qputenv("KORVASET_COM1", QByteArray::fromStdString(link));

    QtMessageBoxes boxes;
    const ScopedMessageBoxes installed(boxes);
    QtFileDialogs dialogs;
    WindowFixture f(nullptr, &dialogs);
    dialogs.SetParent(&f.window);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QString reported;
    ModalScript script(
        {Answer(QMessageBox::Ok, &reported), TypeName(QString::fromStdString(dir.Path("mine")))});

    f.Press(kIdReadConfig);
    QCOMPARE(reported, QStringLiteral("Read Successful"));
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("PRIME-1"));
    QCOMPARE(f.Text(kIdManualTxRate), QStringLiteral("45"));
    f.Press(kIdSaveConfig);
    QVERIFY(script.Done());
    qunsetenv("KORVASET_COM1");

    ConfigRecord fromFile;
    QVERIFY(LoadConfigFile(fromFile, dir.Path("mine.kvc")));
    QCOMPARE(std::string(fromFile.callsign[0].data()), std::string("PRIME-1"));
    QCOMPARE(fromFile.manualTxRate[0], 45);
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::UserPathTest)
#include "user_path_test.moc"
