// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>
#include <string_view>

namespace korvaset {

enum class MessageButtons { kOk, kOkCancel };
enum class MessageAnswer { kOk, kCancel };
enum class MessageIcon { kNone, kExclamation };

// One report or question, as the user sees it.
struct Message {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::kOk;
  MessageAnswer defaultButton = MessageAnswer::kOk;
  MessageIcon icon = MessageIcon::kNone;

  bool operator==(const Message&) const = default;
};

// Where every report of the program goes: the window shows a box, the command line
// writes to stderr, tests record and answer.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const Message& message) = 0;
};

// Writes "Caption: text" to stderr and answers with the default button. In use until
// another implementation is installed.
class StderrMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(const Message& message) override;
};

// Installs boxes for the current scope and puts the previous ones back when it ends.
class ScopedMessageBoxes {
 public:
  explicit ScopedMessageBoxes(MessageBoxes& boxes);
  ~ScopedMessageBoxes();
  ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
  ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;

 private:
  MessageBoxes* previous_;
};

// Shows a message through the installed boxes and returns the user's answer.
MessageAnswer ShowMessage(const Message& message);

// Shows text with caption and an OK button, no icon.
void ShowInfo(std::string_view text, std::string_view caption);

// Shows a failure text with the caption "Error", no icon and an OK button. Returns true,
// which the failing operation passes on as its failure flag.
bool ShowError(std::string_view text);

}  // namespace korvaset
