// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <deque>
#include <vector>

#include "platform/message_box.h"

namespace korvaset {

// Records every message and answers from a script (then with the default button).
class RecordingMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(const Message& message) override {
    shown.push_back(message);
    if (answers.empty()) return message.defaultButton;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Message> shown;
  std::deque<MessageAnswer> answers;
};

}  // namespace korvaset
