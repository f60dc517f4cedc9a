// The device buttons over a scripted port: what the simulator can't show.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "operations_fixture.h"
#include "platform/forwarding_serial_port.h"
#include "support/scripted_serial_port.h"
#include "ui/qt_message_boxes.h"
#include "ui/wait_cursor.h"

namespace korvaset {

namespace {

Qt::CursorShape CurrentCursor() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor == nullptr ? Qt::BitmapCursor : cursor->shape();  // Bitmap: none set
}

// A port that notes the cursor the program shows at every call.
class CursorWatchingPort final : public ForwardingSerialPort {
 public:
  using ForwardingSerialPort::ForwardingSerialPort;

  bool Open(std::string_view comName) override { return Note(ForwardingSerialPort::Open(comName)); }
  bool ReadSettings() override { return Note(ForwardingSerialPort::ReadSettings()); }
  bool ApplySettings(int baudRate) override {
    return Note(ForwardingSerialPort::ApplySettings(baudRate));
  }
  bool ApplyTimeouts(const PortTimeouts& t) override {
    return Note(ForwardingSerialPort::ApplyTimeouts(t));
  }
  std::optional<int> Read(std::span<std::uint8_t> buffer) override {
    return Note(ForwardingSerialPort::Read(buffer));
  }
  std::optional<int> WriteByte(std::uint8_t byte) override {
    return Note(ForwardingSerialPort::WriteByte(byte));
  }
  bool Close() override { return Note(ForwardingSerialPort::Close()); }
  void Pause(int milliseconds) override {
    ForwardingSerialPort::Pause(milliseconds);
    Note(0);
  }

  std::vector<Qt::CursorShape> cursors;

 private:
  template <class T>
  T Note(T result) {
    cursors.push_back(CurrentCursor());
    return result;
  }
};

// The window on a scripted port, with the cursors it showed at the port's calls.
struct ScriptedWindow {
  std::unique_ptr<ScriptedSerialPort> ownedPort = std::make_unique<ScriptedSerialPort>();
  ScriptedSerialPort& port = *ownedPort;
  std::unique_ptr<CursorWatchingPort> ownedWatch =
      std::make_unique<CursorWatchingPort>(std::move(ownedPort));
  CursorWatchingPort& watch = *ownedWatch;
  OperationsFixture f{std::move(ownedWatch)};
};

}  // namespace

class DeviceCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheBusyCursorWhileTheLinkWorks_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("Read Version") << int(kIdReadVersion);
    QTest::newRow("Read Config") << int(kIdReadConfig);
    QTest::newRow("Write Config") << int(kIdWriteConfig);
    QTest::newRow("Send Both") << int(kIdSendBothTones);
  }
  void ShowsTheBusyCursorWhileTheLinkWorks() {
    QFETCH(int, button);
    ScriptedWindow w;  // a silent tracker: every command runs into its time-outs
    w.f.Press(button);
    const std::vector<Qt::CursorShape>& cursors = w.watch.cursors;
    QVERIFY(!cursors.empty());
    QCOMPARE(std::count(cursors.begin(), cursors.end(), Qt::WaitCursor),
             std::ptrdiff_t(cursors.size()));
    QCOMPARE(CurrentCursor(), Qt::BitmapCursor);  // and gone afterwards
  }

  void AMessageBoxShowsTheNormalCursor() {
    const WaitCursor busy;
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
  }

  void ShowsTheBannerAsLatin1() {
    ScriptedWindow w;
    w.port.replies = {{}, {Bytes("Korvalink \xe9t\xe9\x01")}};
    w.f.Press(kIdReadVersion);
    QCOMPARE(Lines(w.f.Shown()),
             QStringList{QStringLiteral("Korvalink Version: Korvalink été\x01")});
  }

  // The port is the entry that the list's field shows, typed or picked, at every press.
  void ThePortIsTheEntryTheFieldShows() {
    ScriptedWindow w;
    w.f.List(kIdPortList)->setCurrentIndex(4);
    w.f.Press(kIdStopSending);
    w.f.Type(kIdPortList, "com3");
    w.f.Press(kIdStopSending);
    for (const QString typed : {"COM9", ""}) {
      w.f.Type(kIdPortList, typed);
      w.f.Press(kIdStopSending);
    }
    std::vector<std::string> opened;
    for (const std::string& line : w.port.log) {
      if (line.starts_with("open ")) opened.push_back(line);
    }
    QCOMPARE(Lines(opened), (QStringList{"open COM5", "open COM3"}));
    QCOMPARE(Lines(w.f.Shown()), QStringList(2, "Error: Invalid Com Port Number"));
  }

  void AShortImageReadTwiceAlikeFails() {
    ScriptedWindow w;
    const std::vector<std::uint8_t> image(127, 0x40);
    w.port.replies = {{}, {Bytes("Korvalink 1.0")}, {}, {image}, {}, {image}};
    w.f.Type(kIdCallsign, "K1ABC");
    const ConfigRecord before = w.f.window.Record();
    w.f.Press(kIdReadConfig);
    QCOMPARE(Lines(w.f.Shown()), QStringList{"Korvalink Read: Read Failed"});
    QVERIFY(w.f.window.Record() == before);
    QCOMPARE(w.f.Text(kIdCallsign), "K1ABC");
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::DeviceCommandsTest)
#include "device_commands_test.moc"
