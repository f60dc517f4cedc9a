// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The form's item calls mapped onto the real widgets, and the widgets' signals routed to the
// form. The form's rules themselves are tested once, in tests/form.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ui/qt_message_boxes.h"
#include "window_fixture.h"

namespace korvaset {

namespace {

Qt::CursorShape CurrentCursor() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor == nullptr ? Qt::BitmapCursor : cursor->shape();  // Bitmap: none set
}

}  // namespace

class WindowItemsTest : public QObject {
  Q_OBJECT

 private slots:
  void TextsAreLatin1BothWays() {
    WindowFixture f;
    f.Edit(kIdStatusText)->setText(QStringLiteral("Grüße 5€ \U0001F4E1"));  // as pasted
    QCOMPARE(f.window.ItemText(kIdStatusText), std::string("Gr\xFC\xDF"
                                                           "e 5? ?"));
    f.window.SetItemText(kIdCallsign,
                         "\xC4"
                         "BC");
    QCOMPARE(f.Edit(kIdCallsign)->text(), QStringLiteral("ÄBC"));
    f.window.SetItemText(kIdSendLowTone, "Send 1600 Hz");
    QCOMPARE(f.Box(kIdSendLowTone)->text(), QStringLiteral("Send 1600 Hz"));
    QCOMPARE(f.window.ItemText(kIdSendHighTone), std::string("Send 2200 Hz"));
    f.Type(kIdMicEPath, QStringLiteral("wide9"));
    QCOMPARE(f.window.ItemText(kIdMicEPath), std::string("wide9"));
  }

  void ChecksWithoutRunningTheInterlocks() {
    WindowFixture f;
    f.window.CheckItem(kIdTimeSlottingEnable, true);
    f.window.CheckItem(kIdSmartBeaconingEnable, true);
    QVERIFY(f.Box(kIdTimeSlottingEnable)->isChecked());
    QVERIFY(f.window.IsItemChecked(kIdSmartBeaconingEnable));
    f.Click(kIdSmartBeaconingEnable);  // the user's click does: off, nothing cleared
    f.Click(kIdSmartBeaconingEnable);  // on again, Time Slotting cleared
    QVERIFY(!f.window.IsItemChecked(kIdTimeSlottingEnable));
  }

  void SelectsListEntriesAndKeepsTypedText() {
    WindowFixture f;
    f.window.SelectListEntry(kIdMicEPath, 2);
    QCOMPARE(f.Text(kIdMicEPath), QStringLiteral("WIDE-2"));
    QCOMPARE(f.window.ListSelection(kIdMicEPath), 2);
    f.window.SelectListEntry(kIdMicEPath, -1);
    QCOMPARE(f.Text(kIdMicEPath), QString());
    QCOMPARE(f.window.ListSelection(kIdMicEPath), -1);
    // Text typed over an entry names none: the form stores no path.
    f.window.SelectListEntry(kIdMicEPath, 3);
    f.Type(kIdMicEPath, QStringLiteral("WIDE9"));
    f.window.Form().CopyFormToRecord();
    QCOMPARE(f.Record().micEPath[0], -1);
  }

  void EnablesItems() {
    WindowFixture f;
    f.window.EnableItem(kIdCallsign, false);
    QVERIFY(!f.Edit(kIdCallsign)->isEnabled());
    f.window.EnableItem(kIdCallsign, true);
    QVERIFY(f.Edit(kIdCallsign)->isEnabled());
  }

  void TheTabsAreAddedQuietlyAndSwitchTheProfile() {
    WindowFixture f;
    QCOMPARE(f.Tabs()->count(), 2);
    QCOMPARE(f.Tabs()->tabText(0), QStringLiteral("Primary"));
    QCOMPARE(f.Tabs()->tabText(1), QStringLiteral("Secondary"));
    QCOMPARE(f.window.SelectedTab(kIdProfileTabs), 0);
    f.Type(kIdCallsign, QStringLiteral("N0ONE"));
    f.SwitchTab(1);
    QCOMPARE(f.window.SelectedTab(kIdProfileTabs), 1);
    QCOMPARE(f.Record().visibleProfile, 1);
    QCOMPARE(std::string(f.Record().callsign[0].data()), std::string("N0ONE"));
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("NOCALL"));
  }

  void TheArrowsStepTheirOwnLevel() {
    WindowFixture f;
    f.Type(kIdTxTwist, QStringLiteral("41"));
    QTest::mouseClick(f.Spin(kIdTxTwistSpin)->UpButton(), Qt::LeftButton);
    QCOMPARE(f.Text(kIdTxTwist), QStringLiteral("42"));
    QTest::mouseClick(f.Spin(kIdRxLevelSpin)->DownButton(), Qt::LeftButton);
    QCOMPARE(f.Text(kIdRxLevel), QStringLiteral("99"));
  }

  void TheBusyCursorAndAMessageBoxesNormalOne() {
    WindowFixture f;
    f.window.BeginWaitCursor();
    QCOMPARE(CurrentCursor(), Qt::WaitCursor);
    Qt::CursorShape inBox = Qt::BitmapCursor;
    QTimer::singleShot(0, [&inBox] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      inBox = CurrentCursor();
      box->button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes().Show({.text = "Korvalink Not Found", .caption = "Error"});
    QCOMPARE(inBox, Qt::ArrowCursor);
    QCOMPARE(CurrentCursor(), Qt::WaitCursor);
    f.window.EndWaitCursor();
    QCOMPARE(CurrentCursor(), Qt::BitmapCursor);
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::WindowItemsTest)
#include "window_items_test.moc"
