// The device buttons of the real window against korvalink-sim on a real pseudo-terminal.
#include <QTest>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "child_process.h"
#include "config/config_record.h"
#include "files/config_file.h"
#include "operations_fixture.h"

namespace korvaset {

namespace {

constexpr const char* kBanner = "Korvalink 1.0 simulated";

// A simulated tracker whose link COM1 resolves to, for the length of a test.
class Tracker {
 public:
  explicit Tracker(std::vector<std::string> arguments = {})
      : link_(dir_.Path("korvalink")), sim_(WithLink(std::move(arguments), link_)) {
    qputenv("KORVASET_COM1", QByteArray::fromStdString(link_));
  }
  ~Tracker() { qunsetenv("KORVASET_COM1"); }

  bool Ready() const { return sim_.Ready(); }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  std::string Log() const { return sim_.Log(); }
  // What the simulator logged after the first line that contains marker.
  std::string LogAfter(const std::string& marker) const {
    const std::string log = Log();
    const std::size_t at = log.find(marker);
    return at == std::string::npos ? std::string() : log.substr(at + marker.size());
  }
  bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
  // Whether the tracker saw any command at all.
  bool SawCommand() const { return Logged("ESC") || Logged("ignored"); }

 private:
  static std::vector<std::string> WithLink(std::vector<std::string> arguments,
                                           const std::string& link) {
    arguments.insert(arguments.end(), {"--link", link});
    return arguments;
  }

  testing::TempDir dir_;
  std::string link_;
  testing::SimProcess sim_;
};

// Two profiles that differ everywhere the form shows it.
ConfigRecord DistinctProfiles() {
  ConfigRecord record;
  record.visibleProfile = 0;
  record.SetCallsign("PRIME-1");
  record.visibleProfile = 1;
  record.SetCallsign("SECOND-2");
  record.baud300[1] = 1;
  record.manualTxRate[1] = 45;
  record.visibleProfile = 0;
  return record;
}

std::string TextOf(const CallsignText& text) {
  return text.data();
}

}  // namespace

class DeviceOperationsTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadVersionFindsTheTrackerAt9600AndTheTonesFollow() {
    Tracker tracker({"--baud", "9600"});
    QVERIFY(tracker.Ready());
    OperationsFixture f;

    f.Press(kIdReadVersion);
    QCOMPARE(f.boxes.shown,
             std::vector<Message>({{.text = kBanner, .caption = "Korvalink Version"}}));
    QCOMPARE(f.window.Link().BaudRate(), 9600);
    QVERIFY(tracker.Logged("at 4800 baud (answering at 9600 only)"));

    for (const int id : {kIdSendLowTone, kIdSendHighTone, kIdSendBothTones, kIdStopSending}) {
      f.Press(id);
    }
    QTRY_VERIFY(tracker.LogAfter("tone both").find("tone stop") != std::string::npos);
    const std::string tones = tracker.LogAfter("version request");
    QVERIFY2(tones.find("ignored") == std::string::npos, tones.c_str());
    std::vector<std::string> heard;
    for (const char* name : {"stop", "low (1200 Hz)", "high (2200 Hz)", "both"}) {
      const std::string line = std::string("tone ") + name;
      for (std::size_t at = tones.find(line); at != std::string::npos;
           at = tones.find(line, at + 1)) {
        heard.push_back(name);
      }
    }
    QCOMPARE(heard.size(), std::size_t(8));  // every tone is preceded by a stop
    QCOMPARE(f.boxes.shown.size(), std::size_t(1));
  }

  void ReadConfigOnTheSecondaryTabDecodesBothProfiles() {
    ConfigRecord stored = DistinctProfiles();
    testing::TempDir files;
    const std::string image = files.Path("tracker.kvc");
    QVERIFY(!SaveConfigFile(stored, image));
    Tracker tracker({"--image", image});
    QVERIFY(tracker.Ready());
    OperationsFixture f;
    f.SwitchTab(1);
    f.Type(kIdCallsign, "EDITED");  // not stored: the read replaces it

    f.Press(kIdReadConfig);
    QCOMPARE(Lines(f.Shown()), QStringList{"Korvalink Read: Read Successful"});
    QCOMPARE(f.Tabs()->currentIndex(), 1);
    QCOMPARE(f.Text(kIdCallsign), "SECOND-2");
    QCOMPARE(f.Text(kIdManualTxRate), "45");
    QCOMPARE(f.Text(kIdSendLowTone), "Send 1600 Hz");
    ConfigRecord expected;
    std::array<std::uint8_t, kImageBufferSize> bytes{};
    QCOMPARE(stored.EncodeImage(bytes), kImageSize);
    QVERIFY(!expected.DecodeImage(std::span(bytes).first(kImageSize)));
    expected.visibleProfile = 1;
    QVERIFY(f.window.Record() == expected);
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("PRIME-1"));
  }

  void ReadConfigThatFailsLeavesTheForm_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("readings differ") << "unstable" << QStringList{"Korvalink Read: Read Failed"};
    QTest::newRow("blank tracker")
        << "blank"
        << QStringList{
               "Error: Bad EE Image: the image is blank (every byte is 0xFF), so the "
               "tracker holds no configuration.",
               "Korvalink Read: Read Failed"};
  }
  void ReadConfigThatFailsLeavesTheForm() {
    QFETCH(QString, fault);
    QFETCH(QStringList, shown);
    Tracker tracker({"--fault", fault.toStdString()});
    QVERIFY(tracker.Ready());
    OperationsFixture f;
    f.Type(kIdCallsign, "N0CALL-5");
    const ConfigRecord before = f.window.Record();
    f.ArmRefreshProbe();

    f.Press(kIdReadConfig);
    QCOMPARE(Lines(f.Shown()), shown);
    QCOMPARE(f.Text(kIdCallsign), "N0CALL-5");
    QVERIFY(f.window.Record() == before);
    QVERIFY(f.Refreshed());  // the refresh at the end runs whatever the outcome
  }

  void WriteConfigShowsWhatTheTrackerStores() {
    testing::TempDir files;
    const std::string saved = files.Path("written.kvc");
    Tracker tracker({"--save", saved});
    QVERIFY(tracker.Ready());
    OperationsFixture f;
    f.SwitchTab(1);
    f.Type(kIdCallsign, "SECOND-2");
    f.SwitchTab(0);
    f.Type(kIdCallsign, "PRIME-1");
    f.Type(kIdManualTxDelay, "125");

    f.Press(kIdWriteConfig);
    QCOMPARE(Lines(f.Shown()), QStringList{"Korvalink Write: Write Successful"});
    QCOMPARE(f.Text(kIdManualTxDelay), "127");  // the tracker keeps the delay in steps
    QVERIFY(tracker.Logged("image write: stored 128 bytes"));
    ConfigRecord fromTracker;
    QVERIFY(LoadConfigFile(fromTracker, saved));
    QCOMPARE(TextOf(fromTracker.callsign[0]), std::string("PRIME-1"));
    QCOMPARE(TextOf(fromTracker.callsign[1]), std::string("SECOND-2"));
    fromTracker.visibleProfile = 0;
    QVERIFY(f.window.Record() == fromTracker);
  }

  void EmergencyInTheHiddenProfileAsksFirst_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("cancel") << false;
    QTest::newRow("ok") << true;
  }
  void EmergencyInTheHiddenProfileAsksFirst() {
    QFETCH(bool, confirm);
    testing::TempDir files;
    const std::string saved = files.Path("written.kvc");
    Tracker tracker({"--save", saved});
    QVERIFY(tracker.Ready());
    OperationsFixture f;
    f.SwitchTab(1);
    f.List(kIdMicEMessage)->setCurrentIndex(f.List(kIdMicEMessage)->findText("Emergency!"));
    f.ClickBox(kIdMicEEnable);  // MIC-E off: the question comes all the same
    QVERIFY(!f.Button(kIdMicEEnable)->isChecked());
    f.SwitchTab(0);
    f.Type(kIdCallsign, "K1ABC");
    f.ArmRefreshProbe();
    f.boxes.answers = {confirm ? MessageAnswer::kOk : MessageAnswer::kCancel};

    f.Press(kIdWriteConfig);
    const Message question{
        .text =
            "You are about to configure your Korvalink with the ability to send an "
            "EMERGENCY MIC-E beacon.  Are you sure you want to do this?",
        .caption = "Korvalink Write",
        .buttons = MessageButtons::kOkCancel,
        .defaultButton = MessageAnswer::kCancel};
    QCOMPARE(f.boxes.shown.front(), question);
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("K1ABC"));
    if (!confirm) {
      QCOMPARE(f.boxes.shown.size(), std::size_t(1));
      QVERIFY2(!tracker.SawCommand(), tracker.Log().c_str());
      QVERIFY(!QFile::exists(QString::fromStdString(saved)));
      QVERIFY(!f.Refreshed());
    } else {
      QCOMPARE(f.Shown().back(), std::string("Korvalink Write: Write Successful"));
      ConfigRecord fromTracker;
      QVERIFY(LoadConfigFile(fromTracker, saved));
      QCOMPARE(fromTracker.micEMessage[1], 7);  // "Emergency!"
    }
  }

  void WriteConfigThatFailsKeepsTheForm_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short read-back") << "short-readback"
                                     << "Error: Write Failed (code 128 127)";
    QTest::newRow("changed read-back") << "changed-readback"
                                       << "Error: Write Failed";
  }
  void WriteConfigThatFailsKeepsTheForm() {
    QFETCH(QString, fault);
    QFETCH(QString, shown);
    Tracker tracker({"--fault", fault.toStdString()});
    QVERIFY(tracker.Ready());
    OperationsFixture f;
    f.Type(kIdManualTxDelay, "125");
    f.Type(kIdCallsign, "K1ABC");
    f.ArmRefreshProbe();

    f.Press(kIdWriteConfig);
    QCOMPARE(Lines(f.Shown()), QStringList{shown});
    QCOMPARE(f.Text(kIdManualTxDelay), "125");  // as typed: nothing was decoded
    QCOMPARE(f.window.Record().manualTxDelay[0], 125);
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("K1ABC"));
    QVERIFY(!f.Refreshed());
  }

  // Without a tracker nothing depends on a simulator.
  void ReportsAPortThatIsNotThere_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("noSelection");  // else COM1 leads to a device that isn't there
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("refreshed");
    const QStringList invalid{"Error: Invalid Com Port Number", "Error: Invalid Com Port Number",
                              "Error: Korvalink Not Found"};
    const QStringList absent{"Error: Could not aquire Com Port", "Error: Could not aquire Com Port",
                             "Error: Korvalink Not Found"};
    QTest::newRow("Read Version, no selection") << int(kIdReadVersion) << true << invalid << true;
    QTest::newRow("Read Config, no selection") << int(kIdReadConfig) << true << invalid << true;
    QTest::newRow("Write Config, no selection") << int(kIdWriteConfig) << true << invalid << false;
    QTest::newRow("Read Config, absent") << int(kIdReadConfig) << false << absent << true;
    QTest::newRow("Write Config, absent") << int(kIdWriteConfig) << false << absent << false;
    QTest::newRow("low tone, no selection")
        << int(kIdSendLowTone) << true << QStringList{"Error: Invalid Com Port Number"} << false;
    QTest::newRow("stop, absent") << int(kIdStopSending) << false
                                  << QStringList{"Error: Could not aquire Com Port"} << false;
  }
  void ReportsAPortThatIsNotThere() {
    QFETCH(int, button);
    QFETCH(bool, noSelection);
    QFETCH(QStringList, shown);
    QFETCH(bool, refreshed);
    testing::TempDir dir;
    qputenv("KORVASET_COM1", QByteArray::fromStdString(dir.Path("no-such-port")));
    OperationsFixture f;
    if (noSelection) f.List(kIdPortList)->setCurrentIndex(-1);
    f.Type(kIdCallsign, "K1ABC");
    const QString typed = f.Text(kIdCallsign);
    f.ArmRefreshProbe();

    f.Press(button);
    qunsetenv("KORVASET_COM1");
    QCOMPARE(Lines(f.Shown()), shown);
    QCOMPARE(f.Refreshed(), refreshed);
    QCOMPARE(f.Text(kIdCallsign), typed);
    QCOMPARE(f.window.Link().PortNumber(), noSelection ? 0 : 1);
  }

  void AConfigurationTooLargeIsNeverSent() {
    OperationsFixture f;
    f.List(kIdPortList)->setCurrentIndex(-1);  // any attempt to send would show itself
    f.Type(kIdDigiPath, "WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4,WIDE5-5,WIDE6-6,WIDE7-7");
    f.SwitchTab(1);
    f.Type(kIdCallsign, "SECOND-2");
    f.Type(kIdDigiPath, "RELAY,WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4,WIDE5-5,WIDE6-6");

    f.Press(kIdWriteConfig);
    QCOMPARE(f.boxes.shown.size(), std::size_t(1));
    QCOMPARE(f.boxes.shown.front().caption, std::string("Configuration Too Large"));
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::DeviceOperationsTest)
#include "device_operations_test.moc"
