// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/fixed_text.h"
#include "fake_dialog_items.h"
#include "form/config_form.h"
#include "form/file_dialogs.h"
#include "platform/recording_message_boxes.h"
#include "resources/control_ids.h"
#include "support/scripted_serial_port.h"

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

// The form over fake items, started as the window starts it, with its message boxes
// recorded, its file dialogs scripted and, unless a port is given, a scripted serial port
// whose log also shows the cursor changes. The helpers act as a user does.
class FormFixture {
 public:
  explicit FormFixture(std::unique_ptr<SerialPort> port = nullptr)
      : installed(boxes), form(items, dialogs, port ? std::move(port) : MakeScriptedPort()) {
    if (scripted != nullptr) items.log = &scripted->log;
    form.InitProfileTabs();
  }

  ConfigRecord& Record() { return form.Record(); }
  std::string Text(int id) const { return items.ItemText(id); }
  bool Checked(int id) const { return items.IsItemChecked(id); }
  bool Enabled(int id) const { return items.IsEnabled(id); }

  // Typing changes the field alone; the list's selection stays as a toolkit may keep it.
  void Type(int id, std::string_view text) { items.text[id] = text; }
  // A click on a check box toggles it before the form hears of it; a button just notifies.
  void Click(int id) {
    items.checked[id] = !items.checked[id];
    form.OnClicked(id);
  }
  void Press(int id) { form.OnClicked(id); }
  void SwitchTab(int index) {
    items.selectedTab = index;
    form.OnProfileTabChange();
  }
  // To the other tab and back: what the form shows has passed through the record.
  void SwitchThereAndBack() {
    const int here = items.selectedTab;
    SwitchTab(1 - here);
    SwitchTab(here);
  }

  // How often the control states were refreshed: each refresh sets the tone captions.
  int Refreshes() const { return Find(items.textSets, kIdSendLowTone); }

  // What the message boxes showed, one "Caption: text" a box.
  std::vector<std::string> Shown() const {
    std::vector<std::string> lines;
    for (const Message& message : boxes.shown) {
      lines.push_back(message.caption + ": " + message.text);
    }
    return lines;
  }

  RecordingMessageBoxes boxes;
  ScopedMessageBoxes installed;
  ScriptedFileDialogs dialogs;
  FakeDialogItems items;
  ScriptedSerialPort* scripted = nullptr;  // the scripted port, when the fixture made one
  ConfigForm form;

 private:
  std::unique_ptr<SerialPort> MakeScriptedPort() {
    auto port = std::make_unique<ScriptedSerialPort>();
    scripted = port.get();
    return port;
  }
  static int Find(const std::map<int, int>& map, int id) {
    const auto it = map.find(id);
    return it == map.end() ? 0 : it->second;
  }
};

// The text of a fixed field, as a string to compare.
template <std::size_t N>
std::string Stored(const std::array<char, N>& field) {
  return std::string(TextOf(field));
}

}  // namespace korvaset
