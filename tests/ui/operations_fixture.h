#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/recording_message_boxes.h"
#include "platform/serial_port.h"
#include "resources/control_ids.h"
#include "ui/config_window.h"
#include "ui/file_dialogs.h"
#include "user_actions.h"

namespace korvaset {

// File dialogs answered from a script: each call takes the next answer, nothing (the user
// cancelled) once the script has run out. Every request is kept.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> GetSavePath(const FileDialogRequest& request) override {
    return Answer("save", request);
  }
  std::optional<std::string> GetOpenPath(const FileDialogRequest& request) override {
    return Answer("open", request);
  }

  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> kinds;  // "save" or "open", one per dialog shown
  std::vector<FileDialogRequest> requests;

 private:
  std::optional<std::string> Answer(const char* kind, const FileDialogRequest& request) {
    kinds.emplace_back(kind);
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

// The configuration window with its message boxes and file dialogs answered by the test,
// and helpers that act as the user does: pressing buttons, typing, switching tabs.
class OperationsFixture {
 public:
  explicit OperationsFixture(std::unique_ptr<SerialPort> port = nullptr)
      : installed(boxes), window(dialogs, std::move(port)) {}

  QAbstractButton* Button(int id) const {
    return qobject_cast<QAbstractButton*>(window.Control(id));
  }
  QComboBox* List(int id) const { return qobject_cast<QComboBox*>(window.Control(id)); }
  QTabBar* Tabs() const { return qobject_cast<QTabBar*>(window.Control(kIdProfileTabs)); }

  // A push button is pressed in its middle, a check box on its indicator.
  void Press(int id) const { QTest::mouseClick(Button(id), Qt::LeftButton); }
  void ClickBox(int id) const { ClickIndicator(window, id); }
  void Type(int id, const QString& text) const { TypeInto(window, id, text); }
  QString Text(int id) const { return ShownText(window, id); }
  void SwitchTab(int index) const { SelectTab(window, index); }

  // Sets a governing box as the record would, without a click and so without a refresh:
  // the governed control then shows whether anything refreshed the states since.
  void ArmRefreshProbe() const { Button(kIdTimeSlottingEnable)->setChecked(true); }
  bool Refreshed() const { return window.Control(kIdSlotOffset)->isEnabled(); }

  // What the message boxes showed, one "Caption: text" a box.
  std::vector<std::string> Shown() const {
    std::vector<std::string> lines;
    for (const Message& message : boxes.shown)
      lines.push_back(message.caption + ": " + message.text);
    return lines;
  }

  RecordingMessageBoxes boxes;
  ScopedMessageBoxes installed;
  ScriptedFileDialogs dialogs;
  ConfigWindow window;
};

// For QCOMPARE on the boxes shown.
inline QStringList Lines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << QString::fromStdString(line);
  return list;
}

}  // namespace korvaset
