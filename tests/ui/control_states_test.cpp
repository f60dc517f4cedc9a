#include <QTest>
#include <initializer_list>

#include "window_fixture.h"

namespace korvaset {

namespace {

constexpr std::initializer_list<int> kSmartBeaconingEdits{
    kIdSbSlowSpeed,    kIdSbSlowRate,  kIdSbFastSpeed,   kIdSbFastRate,
    kIdSbMinTurnAngle, kIdSbTurnSlope, kIdSbMinTurnTime,
};

bool AllEnabled(const WindowFixture& f, std::initializer_list<int> ids, bool enabled) {
  for (const int id : ids) {
    if (f.Enabled(id) != enabled) return false;
  }
  return true;
}

}  // namespace

class ControlStatesTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsWithTheDefaultsStates() {
    WindowFixture f;
    QVERIFY(AllEnabled(f, kSmartBeaconingEdits, false));
    QVERIFY(AllEnabled(
        f, {kIdAutoTxRate, kIdForcePrintable, kIdMicEMessage, kIdMicEPath, kIdWaypointChars},
        true));
    QVERIFY(AllEnabled(f, {kIdSlotOffset, kIdPowerSwitchTime}, false));
  }

  void SmartBeaconingAndTimeSlottingExcludeEachOther() {
    WindowFixture f;
    f.Click(kIdTimeSlottingEnable);
    QVERIFY(f.Enabled(kIdSlotOffset));
    f.Click(kIdSmartBeaconingEnable);
    QVERIFY(!f.Checked(kIdTimeSlottingEnable));
    QVERIFY(AllEnabled(f, kSmartBeaconingEdits, true));
    QVERIFY(AllEnabled(f, {kIdAutoTxRate, kIdSlotOffset}, false));

    f.Click(kIdSmartBeaconingEnable);  // off again
    QVERIFY(AllEnabled(f, kSmartBeaconingEdits, false));
    QVERIFY(f.Enabled(kIdAutoTxRate));
    QVERIFY(!f.Checked(kIdTimeSlottingEnable));

    f.Click(kIdSmartBeaconingEnable);
    f.Click(kIdTimeSlottingEnable);
    QVERIFY(!f.Checked(kIdSmartBeaconingEnable));
    QVERIFY(AllEnabled(f, kSmartBeaconingEdits, false));
  }

  void SendNmeaAndMicEExcludeEachOther() {
    WindowFixture f;  // MIC-E and Send Altitude start checked
    f.Click(kIdSendNmea);
    QVERIFY(!f.Checked(kIdMicEEnable));
    QVERIFY(!f.Checked(kIdSendAltitude));
    QVERIFY(AllEnabled(f, {kIdForcePrintable, kIdMicEMessage, kIdMicEPath}, false));

    f.Click(kIdSendAltitude);  // no handler: both stay checked
    QVERIFY(f.Checked(kIdSendAltitude) && f.Checked(kIdSendNmea));
    f.Click(kIdMicEEnable);
    QVERIFY(!f.Checked(kIdSendNmea));
    QVERIFY(f.Checked(kIdSendAltitude));
    QVERIFY(AllEnabled(f, {kIdForcePrintable, kIdMicEMessage, kIdMicEPath}, true));
  }

  void TimestampsExcludeEachOther() {
    WindowFixture f;
    f.Click(kIdTimestampDhm);
    f.Click(kIdTimestampHms);
    QVERIFY(!f.Checked(kIdTimestampDhm));
    QVERIFY(f.Checked(kIdTimestampHms));
    f.Click(kIdTimestampHms);
    QVERIFY(!f.Checked(kIdTimestampDhm) && !f.Checked(kIdTimestampHms));
  }

  void GroupSwitchesEnableTheirFields() {
    WindowFixture f;
    f.Click(kIdPowerSwitchEnable);
    QVERIFY(f.Enabled(kIdPowerSwitchTime));
    f.Click(kIdWaypointEnable);
    QVERIFY(!f.Enabled(kIdWaypointChars));
  }

  void ToneCaptionsFollowTheRecord() {
    WindowFixture f;
    const auto captions = [&f] {
      return f.Box(kIdSendLowTone)->text() + u'/' + f.Box(kIdSendHighTone)->text();
    };
    f.Click(kIdBaud300);
    QCOMPARE(captions(), QStringLiteral("Send 1200 Hz/Send 2200 Hz"));
    f.SwitchTab(1);
    QCOMPARE(captions(), QStringLiteral("Send 1200 Hz/Send 2200 Hz"));
    f.SwitchTab(0);
    QCOMPARE(captions(), QStringLiteral("Send 1600 Hz/Send 1800 Hz"));
  }

  void ShowsARecordThatBreaksTheInterlocksAsItIs() {
    WindowFixture f;
    ConfigRecord& record = f.window.Record();
    record.smartBeaconing[0] = 1;
    record.timeSlotting[0] = 1;
    record.sendNmea[0] = 1;  // with micE still set
    f.window.CopyRecordToForm();
    QVERIFY(f.Checked(kIdSmartBeaconingEnable) && f.Checked(kIdTimeSlottingEnable));
    QVERIFY(f.Checked(kIdMicEEnable) && f.Checked(kIdSendNmea));
    QVERIFY(AllEnabled(f, kSmartBeaconingEdits, true));
    QVERIFY(f.Enabled(kIdSlotOffset));
    QVERIFY(!f.Enabled(kIdAutoTxRate));
  }

  void StoresDisabledValues() {
    WindowFixture f;
    QVERIFY(!f.Enabled(kIdSbSlowRate));
    f.window.SetItemText(kIdSbSlowRate, "600");
    f.window.CopyFormToRecord();
    QCOMPARE(f.window.Record().sbSlowRate[0], 600);
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::ControlStatesTest)
#include "control_states_test.moc"
