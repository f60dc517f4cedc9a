// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/serial_link.h"
#include "platform/message_box.h"
#include "platform/recording_message_boxes.h"
#include "support/scripted_serial_port.h"

namespace korvaset {

// A serial link over a scripted port, with its message boxes recorded.
class ScriptedLinkTest : public ::testing::Test {
 protected:
  ScriptedLinkTest() : boxes_scope_(boxes_) {
    auto port = std::make_unique<ScriptedSerialPort>();
    port_ = port.get();
    link_ = std::make_unique<SerialLink>(std::move(port));
  }

  // The texts of the boxes shown, in order.
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : boxes_.shown) texts.push_back(message.text);
    return texts;
  }

  RecordingMessageBoxes boxes_;
  ScopedMessageBoxes boxes_scope_;
  ScriptedSerialPort* port_;
  std::unique_ptr<SerialLink> link_;
};

}  // namespace korvaset
