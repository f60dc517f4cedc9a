// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <csignal>
#include <functional>
#include <vector>

#include "platform/recording_message_boxes.h"
#include "resources/dialog_template.h"
#include "ui/config_app.h"
#include "ui/dialog_builder.h"
#include "ui/dialog_units.h"
#include "ui/qt_message_boxes.h"
#include "window_fixture.h"

namespace korvaset {

namespace {

// Runs check on the next modal window that opens, from inside its event loop; the check
// must close it.
QObject& PendingChecks() {
  static QObject owner;
  return owner;
}

void OnNextModal(std::function<void(QWidget*)> check) {
  auto* timer = new QTimer(&PendingChecks());
  QObject::connect(timer, &QTimer::timeout, [timer, check = std::move(check)] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      check(modal);
    }
  });
  timer->start(10);
}

QString Expected(std::string_view text) {
  return QString::fromLatin1(text.data(), text.size());
}

QString ExpectedAccessibleName(const ControlDef& def) {
  if (!def.label.empty()) return Expected(def.label).chopped(1);
  if (!def.caption.empty()) return Expected(def.caption).trimmed();
  return Expected(def.accessibleName);
}

// What the user sees of a control: everything but frames and the tab page.
struct Piece {
  QString name;
  QRect rect;
  QRect units;  // the template's rectangle, empty for labels
};

std::vector<Piece> VisiblePieces(const ConfigWindow& window) {
  std::vector<Piece> pieces;
  for (const ControlDef& def : ConfigWindowTemplate().controls) {
    if (def.id == kStaticId || def.kind == ControlKind::kTabStrip) continue;
    pieces.push_back({QString::number(def.id), window.Control(def.id)->geometry(),
                      QRect(def.rect.x, def.rect.y, def.rect.width, def.rect.height)});
  }
  for (const QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    pieces.push_back({label->text(), label->geometry(), QRect()});
  }
  return pieces;
}

// The caption of the frame that a control lies in, from the layout table.
QString FrameOf(const ConfigWindow& window, const QWidget* control) {
  for (const ControlDef& def : ConfigWindowTemplate().controls) {
    if (def.id != kStaticId && window.Control(def.id) == control) return Expected(def.frame);
  }
  return {};
}

class FontScope {
 public:
  explicit FontScope(double points) : saved_(QApplication::font()) {
    QFont font = saved_;
    font.setPointSizeF(points);
    QApplication::setFont(font);
  }
  ~FontScope() { QApplication::setFont(saved_); }

 private:
  QFont saved_;
};

}  // namespace

class WindowShellTest : public QObject {
  Q_OBJECT

 private slots:
  // A check whose modal never opened must not answer the next test's.
  void cleanup() { qDeleteAll(PendingChecks().children()); }

  void EveryControlOfTheTableExists() {
    WindowFixture f;
    const DialogUnits units(f.window.font());
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Korvaset"));
    QCOMPARE(f.window.size(), QSize(units.X(356), units.Y(326)));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QCOMPARE(f.window.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    QVERIFY(!f.window.windowIcon().pixmap(16, 16).isNull());
    for (const ControlDef& def : ConfigWindowTemplate().controls) {
      if (def.id == kStaticId) continue;
      const QString id = QString::number(def.id);
      QWidget* control = f.window.Control(def.id);
      QVERIFY2(control != nullptr, qPrintable(id));
      QCOMPARE(control->objectName(), QStringLiteral("ctl") + id);
      QCOMPARE(control->accessibleName(), ExpectedAccessibleName(def));
      if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QCOMPARE(button->text(), Expected(def.caption));
      }
      const QRect placed = units.Map(def.rect);
      if (def.kind == ControlKind::kEdit || def.kind == ControlKind::kButton ||
          def.kind == ControlKind::kSpin) {
        QCOMPARE(control->geometry(), placed);
      } else if (def.kind == ControlKind::kCheckBox) {
        QCOMPARE(control->pos(), placed.topLeft());
        QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(id));
      }
    }
    QCOMPARE(f.List(kIdMicEMessage)->count(), 8);
    QCOMPARE(f.List(kIdMicEPath)->itemText(15), QStringLiteral("West+WIDE"));
    QCOMPARE(f.List(kIdPortList)->itemText(7), QStringLiteral("COM8"));
  }

  // A sample of the layout written out by hand, so that a wrong entry in the table is caught
  // and not only a builder that misplaces what the table says.
  void SomeControlsAsTheLayoutGivesThem() {
    struct Expect {
      int id;
      const char* name;
      const char* caption;  // buttons and check boxes only
      QRect units;
    };
    const Expect expected[] = {
        {1000, "Callsign", nullptr, {43, 23, 74, 14}},
        {1001, "Digi Path", nullptr, {43, 38, 116, 14}},
        {1036, "Transmit Offset", nullptr, {281, 126, 22, 14}},
        {1044, "Min Turn Time", nullptr, {224, 192, 22, 14}},
        {1060, "RX Level", nullptr, {313, 237, 22, 14}},
        {1058, "TX Level", nullptr, {238, 255, 22, 14}},
        {1063, "Write Config", "Write Config", {62, 303, 50, 14}},
        {1068, "Send 1200 Hz", "Send 1200 Hz", {126, 289, 50, 14}},
        {1069, "Save", "Save ", {238, 289, 50, 14}},
        {1, "Exit", "Exit", {292, 305, 50, 14}},
        {1072, "Send Voltage", "Send Voltage", {13, 247, 59, 10}},
        {1033, "Enable", "Enable", {173, 92, 38, 10}},
    };
    WindowFixture f;
    const DialogUnits units(f.window.font());
    for (const Expect& e : expected) {
      QWidget* control = f.window.Control(e.id);
      QVERIFY2(control != nullptr, e.name);
      QCOMPARE(control->accessibleName(), QString::fromLatin1(e.name));
      const QRect placed = units.Map({e.units.x(), e.units.y(), e.units.width(), e.units.height()});
      if (e.caption != nullptr) {
        QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), QString::fromLatin1(e.caption));
      }
      QCOMPARE(control->pos(), placed.topLeft());
      if (qobject_cast<QCheckBox*>(control) == nullptr) QCOMPARE(control->size(), placed.size());
    }
  }

  void NothingOverlapsAtAnyFontSize_data() {
    QTest::addColumn<double>("points");
    QTest::newRow("8 pt") << 8.0;
    QTest::newRow("10 pt") << 10.0;
    QTest::newRow("16 pt") << 16.0;
  }
  void NothingOverlapsAtAnyFontSize() {
    QFETCH(double, points);
    const FontScope font(points);
    WindowFixture f;
    const std::vector<Piece> pieces = VisiblePieces(f.window);
    const QRect inside = f.window.rect();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      QVERIFY2(inside.contains(pieces[i].rect), qPrintable(pieces[i].name));
      for (std::size_t j = i + 1; j < pieces.size(); ++j) {
        // Where the template's own rectangles overlap (by a unit, as the TX Twist arrows
        // and their edit do), so may the controls; nowhere else.
        const bool planned = pieces[i].units.intersects(pieces[j].units);
        QVERIFY2(planned || !pieces[i].rect.intersects(pieces[j].rect),
                 qPrintable(pieces[i].name + " / " + pieces[j].name));
      }
    }
    // Framed controls, and their labels, stay inside their frame.
    for (QGroupBox* frame : f.window.findChildren<QGroupBox*>()) {
      for (QWidget* child : f.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QWidget* owner = child;
        if (auto* label = qobject_cast<QLabel*>(child); label && label->buddy()) {
          owner = label->buddy();
        }
        if (FrameOf(f.window, owner) != frame->title()) continue;
        QVERIFY2(frame->geometry().contains(child->geometry()),
                 qPrintable(frame->title() + ": " + child->accessibleName()));
      }
    }
  }

  void StartsWithTheFocusInCallsign() {
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QCOMPARE(QApplication::focusWidget(), f.window.Control(kIdCallsign));
  }

  void EnterPressesAFocusedButtonAndOtherwiseExit() {
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    for (QPushButton* button : f.window.findChildren<QPushButton*>()) {
      QCOMPARE(button->isDefault(), button == f.window.Control(kIdExit));
    }
    bool aboutShown = false;
    OnNextModal([&aboutShown](QWidget* box) {
      aboutShown = true;
      QTest::keyClick(box, Qt::Key_Escape);
    });
    f.window.Control(kIdAbout)->setFocus();
    QTest::keyClick(f.window.Control(kIdAbout), Qt::Key_Return);
    QVERIFY(aboutShown);
    QVERIFY(f.window.isVisible());
    f.window.Control(kIdTelemetryRate)->setFocus();  // the field's Enter is Exit's again
    QTest::keyClick(f.window.Control(kIdTelemetryRate), Qt::Key_Return);
    QVERIFY(!f.window.isVisible());
  }

  void ClosesWithoutAQuestion_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("key");
    QTest::newRow("Exit") << int{kIdExit} << 0;
    QTest::newRow("Enter in Callsign") << int{kIdCallsign} << int{Qt::Key_Return};
    QTest::newRow("Enter in Text") << int{kIdStatusText} << int{Qt::Key_Enter};
    QTest::newRow("Enter in Path") << int{kIdMicEPath} << int{Qt::Key_Return};
    QTest::newRow("Enter on a check box") << int{kIdSendNmea} << int{Qt::Key_Return};
    QTest::newRow("Escape") << int{kIdCallsign} << int{Qt::Key_Escape};
    QTest::newRow("close box") << 0 << 0;
  }
  void ClosesWithoutAQuestion() {
    QFETCH(int, id);
    QFETCH(int, key);
    RecordingMessageBoxes boxes;
    const ScopedMessageBoxes installed(boxes);
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    if (id == 0) {
      f.window.close();
    } else if (key == 0) {
      QTest::mouseClick(f.Box(id), Qt::LeftButton);
    } else {
      QWidget* target = f.window.Control(id);
      if (auto* list = qobject_cast<QComboBox*>(target)) target = list->lineEdit();
      QTest::keyClicks(target, QStringLiteral("x"));
      QTest::keyClick(target, static_cast<Qt::Key>(key));
    }
    QVERIFY(!f.window.isVisible());
    QVERIFY(boxes.shown.empty());
  }

  void AboutOpensFromTheButtonAndTheMenu() {
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QList<QAction*> menu =
        f.window.AboutAction()->associatedObjects().isEmpty()
            ? QList<QAction*>()
            : qobject_cast<QMenu*>(f.window.AboutAction()->associatedObjects().front())->actions();
    QCOMPARE(menu.size(), 4);
    QVERIFY(menu[1]->isSeparator());
    QCOMPARE(menu[2]->text(), QStringLiteral("&About Korvaset..."));
    QCOMPARE(menu[3], f.window.CheckAction());

    int shown = 0;
    const auto checkAbout = [&f, &shown](QWidget* box) {
      const DialogUnits units(box->font());
      QCOMPARE(box->windowTitle(), QStringLiteral("About Korvaset"));
      QCOMPARE(box->size(), QSize(units.X(235), units.Y(55)));
      auto* ok = box->findChild<QPushButton*>();
      QCOMPARE(ok->text(), QStringLiteral("OK"));
      QVERIFY(ok->isDefault());
      QCOMPARE(ok->geometry(), units.Map({178, 7, 50, 14}));
      QVERIFY((box->geometry().center() - f.window.geometry().center()).manhattanLength() < 4);
      ++shown;
      QTest::keyClick(box, Qt::Key_Return);
    };
    OnNextModal(checkAbout);
    QTest::mouseClick(f.Box(kIdAbout), Qt::LeftButton);
    OnNextModal(checkAbout);
    f.window.AboutAction()->trigger();
    QCOMPARE(shown, 2);
    QVERIFY(f.window.isVisible());
  }

  // The window menu's Check Configuration and F7 show the findings of what the form shows,
  // the record untouched; every control explains itself, the disabled ones too.
  void ChecksFromTheMenuAndF7AndExplainsEachControl() {
    RecordingMessageBoxes boxes;
    const ScopedMessageBoxes installed(boxes);
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QCOMPARE(f.window.CheckAction()->text(), QStringLiteral("Chec&k Configuration..."));
    const ConfigRecord before = f.Record();
    f.Type(kIdCallsign, QStringLiteral("W1AW-9"));
    f.window.CheckAction()->trigger();
    QTest::keyClick(f.window.Control(kIdDigiPath), Qt::Key_F7);
    QCOMPARE(boxes.shown.size(), std::size_t{2});
    for (const Message& shown : boxes.shown) {
      QCOMPARE(shown.caption, std::string("Check Configuration"));
      QVERIFY2(shown.text.find("Secondary, Callsign: error: ") != std::string::npos,
               shown.text.c_str());
      QVERIFY2(shown.text.find("Primary, Callsign") == std::string::npos, shown.text.c_str());
    }
    QVERIFY(f.Record() == before);

    for (const ControlDef& def : ConfigWindowTemplate().controls) {
      if (def.id == kStaticId) continue;
      QVERIFY2(!f.window.Control(def.id)->toolTip().isEmpty(), qPrintable(QString::number(def.id)));
    }
    QWidget* slowRate = f.window.Control(kIdSbSlowRate);
    QVERIFY(!slowRate->isEnabled());
    const QString tip = slowRate->toolTip();
    QCOMPARE(tip.section('\n', 0, 0), QStringLiteral("SmartBeaconing: Slow Rate (seconds)"));
    QCOMPARE(slowRate->accessibleName(), QStringLiteral("Slow Rate"));
    QCOMPARE(QAccessible::queryAccessibleInterface(slowRate)->text(QAccessible::Description), tip);
    QCOMPARE(f.window.Control(kIdMicEPath)->accessibleName(), QStringLiteral("Path"));
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), slowRate->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(slowRate, &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip);
  }

  void ShowsMessagesInParentlessBoxes() {
    QtMessageBoxes boxes;
    OnNextModal([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->parentWidget(), nullptr);
      QCOMPARE(box->windowTitle(), QStringLiteral("Korvalink Write"));
      QCOMPARE(box->text(), QStringLiteral("Sure, é?"));  // UTF-8, as the program's texts
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
      QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(boxes.Show({.text = "Sure, \xc3\xa9?",
                         .caption = "Korvalink Write",
                         .buttons = MessageButtons::kOkCancel,
                         .defaultButton = MessageAnswer::kCancel}),
             MessageAnswer::kCancel);

    OnNextModal([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QCOMPARE(box->buttons().size(), 1);
      QCOMPARE(box->text(), QStringLiteral("Version: Korvalink \u00B0"));  // Latin-1 banner
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(boxes.Show({.text = "Version: Korvalink \xB0",
                         .caption = "Korvaset",
                         .icon = MessageIcon::kExclamation}),
             MessageAnswer::kOk);
  }

  void AFailedStartupStepEndsBeforeTheWindow() {
    RecordingMessageBoxes boxes;
    bool laterStepRan = false;
    const StartupStep steps[] = {
        {[] { return true; }, "Windows sockets initialization failed."},
        {[&laterStepRan] { return laterStepRan = true, false; }, "never"},
    };
    // Were a window opened, Run would wait in it; it returns at once instead.
    QCOMPARE(ConfigApp().Run(boxes, steps), 1);
    QVERIFY(!laterStepRan);
    QCOMPARE(boxes.shown.size(), std::size_t{1});
    QCOMPARE(boxes.shown[0].text, std::string("Windows sockets initialization failed."));
    QCOMPARE(boxes.shown[0].caption, QCoreApplication::applicationName().toStdString());
    QCOMPARE(boxes.shown[0].icon, MessageIcon::kExclamation);
  }

  void RunsTheWindowUntilItCloses() {
    RecordingMessageBoxes boxes;
    OnNextModal([](QWidget* modal) {
      auto* window = qobject_cast<ConfigWindow*>(modal);
      QVERIFY(window != nullptr);
      QTest::keyClick(window->Control(kIdCallsign), Qt::Key_Escape);
    });
    QCOMPARE(ConfigApp().Run(boxes), 0);
    QVERIFY(boxes.shown.empty());
  }

  void LogoutClosesTheWindowAndItsBoxes() {
    RecordingMessageBoxes boxes;
    OnNextModal([](QWidget* modal) {
      auto* window = qobject_cast<ConfigWindow*>(modal);
      QVERIFY(window != nullptr);
      // A box of the window's own is open when the session ends.
      QTimer::singleShot(0, [] {
        QMessageBox box;
        box.setEscapeButton(box.addButton(QMessageBox::Ok));
        QTimer::singleShot(10, [] { raise(SIGTERM); });
        box.exec();
      });
    });
    QCOMPARE(ConfigApp().Run(boxes), 128 + SIGTERM);
  }
};

}  // namespace korvaset

QTEST_MAIN(korvaset::WindowShellTest)
#include "window_shell_test.moc"
