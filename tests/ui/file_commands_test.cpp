// Save and Load through the file dialogs, with real files, and the Qt file dialogs
// themselves.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "operations_fixture.h"

namespace korvaset {

namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::string TextOf(const CallsignText& text) {
  return text.data();
}

// Answers the modal windows that open from now on, one step each, in the order they open.
// Steps act through queued calls, so that a window that opens from inside another's
// accept() is met by the next step.
class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(10);
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || Done()) return;
    if (modal == handled_ && handled_->isVisible()) return;  // still closing
    handled_ = modal;
    steps_[next_++](modal);
  }

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QPointer<QWidget> handled_;
  QTimer timer_;
};

// A file dialog step: the name typed into the dialog's name field, then Enter.
ModalScript::Step TypeName(const QString& name) {
  return [name](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field != nullptr);
    field->setText(name);
    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
  };
}

ModalScript::Step Cancel() {
  return [](QWidget* modal) {
    QMetaObject::invokeMethod(qobject_cast<QDialog*>(modal), &QDialog::reject,
                              Qt::QueuedConnection);
  };
}

// A message box step: the button pressed, after noting the box's text.
ModalScript::Step Answer(QMessageBox::StandardButton button, QString* text) {
  return [button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box != nullptr);
    *text = box->text();
    QMetaObject::invokeMethod(box->button(button), &QAbstractButton::click, Qt::QueuedConnection);
  };
}

const FileDialogRequest kSaveRequest{.title = "Save Config File",
                                     .initialName = "config1.kvc",
                                     .defaultSuffix = "kvc",
                                     .filter = "Korvalink Config files|*.kvc||"};

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void SaveStoresTheFormWithoutARefresh() {
    TempDir dir;
    OperationsFixture f;
    f.dialogs.answers = {dir.Path("one.kvc")};
    f.Type(kIdCallsign, "K1ABC");
    f.ClickBox(kIdBaud300);

    f.Press(kIdSaveConfig);
    QCOMPARE(f.dialogs.kinds, std::vector<std::string>{"save"});
    const FileDialogRequest& asked = f.dialogs.requests.front();
    QCOMPARE(asked.title, kSaveRequest.title);
    QCOMPARE(asked.initialName, kSaveRequest.initialName);
    QCOMPARE(asked.defaultSuffix, kSaveRequest.defaultSuffix);
    QCOMPARE(ToQtFileFilter(asked.filter), std::string("Korvalink Config files (*.kvc)"));
    QVERIFY(f.boxes.shown.empty());
    const std::string file = ReadFileBytes(dir.Path("one.kvc"));
    QCOMPARE(file.size(), std::size_t(136));
    QCOMPARE(file.substr(0, 8), std::string("KVLA\x80\0\0\0", 8));
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("K1ABC"));
    QCOMPARE(f.window.Record().baud300[0], Flag(1));
    QCOMPARE(f.Text(kIdSendLowTone), "Send 1200 Hz");  // no refresh after a save
  }

  void LoadOnTheSecondaryTabReplacesBothProfiles() {
    TempDir dir;
    OperationsFixture f;
    f.Type(kIdCallsign, "PRIME-1");
    f.SwitchTab(1);  // stores the Primary controls
    f.Type(kIdCallsign, "SECOND-2");
    f.Type(kIdManualTxRate, "45");
    f.dialogs.answers = {dir.Path("both.kvc")};
    f.Press(kIdSaveConfig);

    f.Type(kIdCallsign, "CHANGED");
    f.SwitchTab(0);
    f.Type(kIdCallsign, "ALSO-1");
    f.SwitchTab(1);
    f.List(kIdPortList)->setCurrentIndex(2);
    f.dialogs.answers = {dir.Path("both.kvc")};
    f.Press(kIdLoadConfig);

    QCOMPARE(f.dialogs.kinds, (std::vector<std::string>{"save", "open"}));
    const FileDialogRequest& asked = f.dialogs.requests.back();
    QCOMPARE(asked.title, std::string("Load Config File"));
    QCOMPARE(asked.initialName, std::string());
    QCOMPARE(asked.defaultSuffix, std::string("kvc"));
    QCOMPARE(asked.filter, kSaveRequest.filter);
    QVERIFY(f.boxes.shown.empty());
    QCOMPARE(f.Tabs()->currentIndex(), 1);
    QCOMPARE(f.Text(kIdCallsign), "SECOND-2");
    QCOMPARE(f.Text(kIdManualTxRate), "45");
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("PRIME-1"));
    QCOMPARE(f.List(kIdPortList)->currentText(), "COM3");
  }

  void LoadThatFailsLeavesTheWindow_data() {
    QTest::addColumn<QByteArray>("content");  // nothing: no such file
    QTest::addColumn<QString>("shown");
    QTest::newRow("no such file") << QByteArray() << "Load Failed: Failed to open file";
    QTest::newRow("not a configuration") << QByteArray("KVLB\x80\0\0\0", 8) + QByteArray(128, '\0')
                                         << "Load Failed: Invalid File Format";
    QTest::newRow("cut short") << QByteArray("KVLA\x80\0\0\0", 8) + QByteArray(92, '\0')
                               << "Load Failed: Failed to read data";
    QTest::newRow("blank image") << QByteArray("KVLA\x80\0\0\0", 8) + QByteArray(128, '\xff')
                                 << "Load Failed: Import Failed";
  }
  void LoadThatFailsLeavesTheWindow() {
    QFETCH(QByteArray, content);
    QFETCH(QString, shown);
    TempDir dir;
    const std::string path = dir.Path("bad.kvc");
    if (!content.isEmpty()) WriteFileBytes(path, content.toStdString());
    OperationsFixture f;
    f.Type(kIdCallsign, "K1ABC");  // not in the record yet
    const ConfigRecord before = f.window.Record();
    f.ArmRefreshProbe();
    f.dialogs.answers = {path};

    f.Press(kIdLoadConfig);
    QCOMPARE(Lines(f.Shown()).last(), shown);
    QCOMPARE(f.Text(kIdCallsign), "K1ABC");
    QVERIFY(f.window.Record() == before);
    QVERIFY(!f.Refreshed());
  }

  void SaveThatFailsKeepsTheFormInTheRecord() {
    TempDir dir;
    OperationsFixture f;
    f.Type(kIdCallsign, "K1ABC");
    f.ArmRefreshProbe();
    f.dialogs.answers = {dir.Path("no-such-folder/one.kvc")};

    f.Press(kIdSaveConfig);
    QCOMPARE(Lines(f.Shown()), QStringList{"Save Failed: Failed to open file"});
    // The form was stored before the file was opened; the window is not refreshed.
    QCOMPARE(TextOf(f.window.Record().callsign[0]), std::string("K1ABC"));
    QCOMPARE(f.Text(kIdCallsign), "K1ABC");
    QVERIFY(!f.Refreshed());
  }

  void ACancelledDialogChangesNothing() {
    OperationsFixture f;
    f.Type(kIdCallsign, "K1ABC");
    const ConfigRecord before = f.window.Record();
    f.Press(kIdSaveConfig);
    f.Press(kIdLoadConfig);
    QCOMPARE(f.dialogs.kinds, (std::vector<std::string>{"save", "open"}));
    QVERIFY(f.boxes.shown.empty());
    QVERIFY(f.window.Record() == before);  // the save didn't store the form
    QCOMPARE(f.Text(kIdCallsign), "K1ABC");
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

QTEST_MAIN(korvaset::FileCommandsTest)
#include "file_commands_test.moc"
