#include <QTest>
#include <array>
#include <climits>
#include <cstring>
#include <string>

#include "window_fixture.h"

namespace korvaset {

namespace {

std::string Stored(const char* field) {
  return std::string(field);
}

// Each number field and the record field it must land in, written out apart from the form.
struct NumberCase {
  int id;
  PerProfile<int> ConfigRecord::*field;
};
constexpr std::array kNumberCases{
    NumberCase{kIdAutoTxDelay, &ConfigRecord::autoTxDelay},
    NumberCase{kIdAutoTxRate, &ConfigRecord::autoTxRate},
    NumberCase{kIdManualTxDelay, &ConfigRecord::manualTxDelay},
    NumberCase{kIdManualTxRate, &ConfigRecord::manualTxRate},
    NumberCase{kIdQuietTime, &ConfigRecord::quietTime},
    NumberCase{kIdStatusEvery, &ConfigRecord::statusEvery},
    NumberCase{kIdTelemetryRate, &ConfigRecord::telemetryRate},
    NumberCase{kIdSlotOffset, &ConfigRecord::slotOffset},
    NumberCase{kIdSbSlowSpeed, &ConfigRecord::sbSlowSpeed},
    NumberCase{kIdSbSlowRate, &ConfigRecord::sbSlowRate},
    NumberCase{kIdSbFastSpeed, &ConfigRecord::sbFastSpeed},
    NumberCase{kIdSbFastRate, &ConfigRecord::sbFastRate},
    NumberCase{kIdSbMinTurnAngle, &ConfigRecord::sbMinTurnAngle},
    NumberCase{kIdSbTurnSlope, &ConfigRecord::sbTurnSlope},
    NumberCase{kIdSbMinTurnTime, &ConfigRecord::sbMinTurnTime},
    NumberCase{kIdPowerSwitchTime, &ConfigRecord::powerSwitchTime},
};

struct FlagCase {
  int id;
  PerProfile<Flag> ConfigRecord::*field;
};
constexpr std::array kFlagCases{
    FlagCase{kIdSendAltitude, &ConfigRecord::sendAltitude},
    FlagCase{kIdSendNmea, &ConfigRecord::sendNmea},
    FlagCase{kIdSkipStartPacket, &ConfigRecord::skipStartPacket},
    FlagCase{kIdOnlySendValid, &ConfigRecord::onlySendValid},
    FlagCase{kIdNoTxOnPttIn, &ConfigRecord::noTxOnPttIn},
    FlagCase{kIdSerialOutHigh, &ConfigRecord::serialOutHigh},
    FlagCase{kIdGps9600, &ConfigRecord::gps9600},
    FlagCase{kIdAlternateDigiPaths, &ConfigRecord::alternateDigiPaths},
    FlagCase{kIdInvertCdIn, &ConfigRecord::invertCdIn},
    FlagCase{kIdBaud300, &ConfigRecord::baud300},
    FlagCase{kIdSendSeparate, &ConfigRecord::sendSeparate},
    FlagCase{kIdNoGtPrefix, &ConfigRecord::noGtPrefix},
    FlagCase{kIdSendAfterPosition, &ConfigRecord::sendAfterPosition},
    FlagCase{kIdSendVoltage, &ConfigRecord::sendVoltage},
    FlagCase{kIdSendTemp, &ConfigRecord::sendTemp},
    FlagCase{kIdMicEEnable, &ConfigRecord::micE},
    FlagCase{kIdForcePrintable, &ConfigRecord::forcePrintable},
    FlagCase{kIdTimeSlottingEnable, &ConfigRecord::timeSlotting},
    FlagCase{kIdSmartBeaconingEnable, &ConfigRecord::smartBeaconing},
    FlagCase{kIdPowerSwitchEnable, &ConfigRecord::powerSwitch},
};

}  // namespace

class SettingsFormTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsWithTheDefaults() {
    WindowFixture f;
    QCOMPARE(f.List(kIdPortList)->currentText(), QStringLiteral("COM1"));
    QCOMPARE(f.Tabs()->currentIndex(), 0);
    QCOMPARE(f.Tabs()->tabText(1), QStringLiteral("Secondary"));
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("NOCALL"));
    // What the form shows of the defaults stores as the defaults.
    f.window.CopyFormToRecord();
    QVERIFY(f.window.Record() == ConfigRecord());
  }

  void EveryNumberFieldStoresIntoItsOwnField() {
    WindowFixture f;
    f.SwitchTab(1);
    for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
      f.window.SetItemText(kNumberCases[i].id, std::to_string(1000 + i));
    }
    f.window.CopyFormToRecord();
    for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
      const auto& field = f.window.Record().*kNumberCases[i].field;
      QCOMPARE(field[1], static_cast<int>(1000 + i));
      QCOMPARE(field[0], (ConfigRecord().*kNumberCases[i].field)[0]);
    }
  }

  void EveryCheckBoxStoresIntoItsOwnFlag() {
    for (const FlagCase& flag : kFlagCases) {
      WindowFixture f;
      f.Box(flag.id)->setChecked(!f.Checked(flag.id));
      ConfigRecord expected;
      (expected.*flag.field)[0] ^= 1;
      f.window.CopyFormToRecord();
      QVERIFY2(f.window.Record() == expected, qPrintable(QString::number(flag.id)));
    }
  }

  void ReadsTypedNumbersLeniently_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shownAgain");
    QTest::newRow("12abc") << "12abc" << 12 << "12";
    QTest::newRow("abc") << "abc" << 0 << "0";
    QTest::newRow("nothing") << "" << 0 << "0";
    QTest::newRow("blank -5") << " -5" << -5 << "-5";
    QTest::newRow("too large") << "99999999999" << INT_MAX << "2147483647";
  }
  void ReadsTypedNumbersLeniently() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, shownAgain);
    WindowFixture f;
    f.Type(kIdQuietTime, typed);
    f.SwitchThereAndBack();
    QCOMPARE(f.window.Record().quietTime[0], stored);
    QCOMPARE(f.Text(kIdQuietTime), shownAgain);
  }

  void CutsTexts() {
    WindowFixture f;
    f.Type(kIdStatusText, QString(100, u's'));
    f.Type(kIdCallsign, QString(30, u'C'));
    f.Type(kIdDigiPath, QString(90, u'P'));
    f.window.CopyFormToRecord();
    QCOMPARE(Stored(f.window.Record().statusText[0].data()), std::string(78, 's'));
    QCOMPARE(Stored(f.window.Record().callsign[0].data()), std::string(19, 'C'));
    QCOMPARE(Stored(f.window.Record().digiPath[0].data()), std::string(78, 'P'));
  }

  void KeepsTextsAsLatin1() {
    WindowFixture f;
    f.Edit(kIdStatusText)->setText(QStringLiteral("Grüße 5€"));  // as pasted
    f.window.CopyFormToRecord();
    QCOMPARE(Stored(f.window.Record().statusText[0].data()), std::string("Gr\xFC\xDF"
                                                                         "e 5?"));
    f.window.Record().SetCallsign(
        "\xC4"
        "BC");
    f.window.CopyRecordToForm();
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("ÄBC"));
  }

  void StoresTheFirstCharacterOfASymbol() {
    WindowFixture f;
    f.Type(kIdSymbol, QStringLiteral("ab"));
    f.Type(kIdSymbolTable, QString());
    f.SwitchThereAndBack();
    QCOMPARE(f.window.Record().symbol[0], 'a');
    QCOMPARE(f.window.Record().symbolTable[0], '\0');
    QCOMPARE(f.Text(kIdSymbol), QStringLiteral("a"));
    QCOMPARE(f.Text(kIdSymbolTable), QString());
  }

  void WaypointCountIsItsOwnSwitch_data() {
    QTest::addColumn<bool>("enable");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("enabledAgain");
    QTest::newRow("enabled, 12") << true << "12" << 12 << true;
    QTest::newRow("enabled, 0") << true << "0" << 0 << false;
    QTest::newRow("cleared, 12") << false << "12" << 0 << false;
  }
  void WaypointCountIsItsOwnSwitch() {
    QFETCH(bool, enable);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(bool, enabledAgain);
    WindowFixture f;
    if (f.Checked(kIdWaypointEnable) != enable) f.Click(kIdWaypointEnable);
    f.window.SetItemText(kIdWaypointChars, typed.toStdString());
    f.SwitchThereAndBack();
    QCOMPARE(f.window.Record().waypointChars[0], stored);
    QCOMPARE(f.Checked(kIdWaypointEnable), enabledAgain);
    QCOMPARE(f.Text(kIdWaypointChars), QString::number(stored));
  }

  void ShowsAndStoresTimestamps_data() {
    QTest::addColumn<int>("timestamp");
    QTest::addColumn<int>("hms");
    QTest::addColumn<bool>("dhmBox");
    QTest::addColumn<bool>("hmsBox");
    QTest::addColumn<int>("hmsStored");
    QTest::newRow("off") << 0 << 0 << false << false << 0;
    QTest::newRow("off, HMS left set") << 0 << 1 << false << false << 0;
    QTest::newRow("DHM") << 1 << 0 << true << false << 0;
    QTest::newRow("HMS") << 1 << 1 << false << true << 1;
  }
  void ShowsAndStoresTimestamps() {
    QFETCH(int, timestamp);
    QFETCH(int, hms);
    QFETCH(bool, dhmBox);
    QFETCH(bool, hmsBox);
    QFETCH(int, hmsStored);
    WindowFixture f;
    f.window.Record().timestamp[0] = static_cast<Flag>(timestamp);
    f.window.Record().timestampHms[0] = static_cast<Flag>(hms);
    f.window.CopyRecordToForm();
    QCOMPARE(f.Checked(kIdTimestampDhm), dhmBox);
    QCOMPARE(f.Checked(kIdTimestampHms), hmsBox);
    f.window.CopyFormToRecord();
    QCOMPARE(int{f.window.Record().timestamp[0]}, timestamp);
    QCOMPARE(int{f.window.Record().timestampHms[0]}, hmsStored);
  }

  void StoresTypedListTextByTheRules_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("path, no entry") << int{kIdMicEPath} << "WIDE9" << -1;
    QTest::newRow("path, emptied") << int{kIdMicEPath} << "" << -1;
    QTest::newRow("path, an entry typed") << int{kIdMicEPath} << "west+wide" << 15;
    QTest::newRow("message, no entry") << int{kIdMicEMessage} << "Lunch" << 0;
    QTest::newRow("message, an entry typed") << int{kIdMicEMessage} << "Emergency!" << 7;
  }
  void StoresTypedListTextByTheRules() {
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    WindowFixture f;
    f.List(id)->setCurrentIndex(3);  // an entry chosen before the typing
    f.Type(id, typed);
    f.window.CopyFormToRecord();
    const ConfigRecord& record = f.window.Record();
    QCOMPARE(id == kIdMicEPath ? record.micEPath[0] : record.micEMessage[0], stored);
  }

  void ShowsAListIndexOutsideTheListAsAnEmptyField() {
    WindowFixture f;
    f.window.Record().micEPath[0] = 16;
    f.window.Record().micEMessage[0] = -1;
    f.window.CopyRecordToForm();
    QCOMPARE(f.Text(kIdMicEPath), QString());
    QCOMPARE(f.Text(kIdMicEMessage), QString());
    f.window.Record().micEPath[0] = 2;
    f.window.CopyRecordToForm();
    QCOMPARE(f.Text(kIdMicEPath), QStringLiteral("WIDE-2"));
  }

  void StepsLevelsWithTheArrows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::newRow("100 up") << "100" << true << "100";
    QTest::newRow("abc up") << "abc" << true << "1";
    QTest::newRow("150 down") << "150" << false << "100";
    QTest::newRow("0 down") << "0" << false << "0";
    QTest::newRow("-5 up") << "-5" << true << "0";
    QTest::newRow("INT_MAX up") << "99999999999" << true << "100";
    QTest::newRow("INT_MIN down") << "-99999999999" << false << "0";
    QTest::newRow("41 up") << "41" << true << "42";
  }
  void StepsLevelsWithTheArrows() {
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    const struct {
      int edit;
      int spin;
      QString initial;
    } levels[] = {{kIdRxLevel, kIdRxLevelSpin, "100"},
                  {kIdTxLevel, kIdTxLevelSpin, "100"},
                  {kIdTxTwist, kIdTxTwistSpin, "50"}};
    for (const auto& level : levels) {
      WindowFixture f;
      f.Type(level.edit, typed);
      SpinArrows* spin = f.Spin(level.spin);
      QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
      QCOMPARE(f.Text(level.edit), shown);
      // The arrows change the edit alone: the record learns at the next transfer.
      QVERIFY(f.window.Record() == ConfigRecord());
      for (const auto& other : levels) {
        if (other.edit != level.edit) QCOMPARE(f.Text(other.edit), other.initial);
      }
    }
  }

  void SharesTheLevelsBetweenTabs() {
    WindowFixture f;
    f.SwitchTab(1);
    f.Type(kIdTxLevel, QStringLiteral("37"));
    f.SwitchTab(0);
    QCOMPARE(f.Text(kIdTxLevel), QStringLiteral("37"));
    QCOMPARE(f.window.Record().txLevel, 37);
  }

  void KeepsEachProfileApart() {
    WindowFixture f;
    f.Type(kIdCallsign, QStringLiteral("N0ONE"));
    f.SwitchTab(1);
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("NOCALL"));
    QCOMPARE(f.window.Record().visibleProfile, 1);
    f.Type(kIdCallsign, QStringLiteral("N0TWO"));
    f.SwitchTab(0);
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("N0ONE"));
    QCOMPARE(Stored(f.window.Record().callsign[1].data()), std::string("N0TWO"));
  }

  void LeavesThePortAloneAndValuesTheFormDoesNotShow() {
    WindowFixture f;
    f.List(kIdPortList)->setCurrentIndex(2);
    f.window.Record().headerByte = 77;
    f.window.Record().reservedFlag = {1, 1};
    f.window.Record().slotDivides60 = {1, 0};
    f.SwitchThereAndBack();
    f.window.CopyRecordToForm();  // as Read Config and Load do
    QCOMPARE(f.List(kIdPortList)->currentText(), QStringLiteral("COM3"));
    QCOMPARE(f.window.Record().headerByte, 77);
    QCOMPARE(int{f.window.Record().reservedFlag[1]}, 1);
    QCOMPARE(int{f.window.Record().slotDivides60[0]}, 1);
  }

  void ShowingTheRecordDropsUnstoredEdits() {
    WindowFixture f;
    f.Type(kIdCallsign, QStringLiteral("EDITED"));
    f.window.CopyRecordToForm();
    QCOMPARE(f.Text(kIdCallsign), QStringLiteral("NOCALL"));
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::SettingsFormTest)
#include "settings_form_test.moc"
