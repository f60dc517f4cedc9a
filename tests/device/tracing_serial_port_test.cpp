// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The trace that --trace writes: every byte with its time and direction, and the reads that
// timed out.
#include "device/tracing_serial_port.h"

#include <gtest/gtest.h>

#include <regex>

#include "device/serial_link.h"
#include "platform/recording_message_boxes.h"
#include "support/scripted_serial_port.h"

namespace korvaset {
namespace {

TEST(TracingSerialPortTest, TracesAVersionRequest) {
  RecordingMessageBoxes boxes;
  ScopedMessageBoxes scope(boxes);
  auto scripted = std::make_unique<ScriptedSerialPort>();
  scripted->replies = {{}, {Bytes("Korvalink 1\x01")}};
  std::vector<std::string> lines;
  SerialLink link(std::make_unique<TracingSerialPort>(
      std::move(scripted), [&](std::string_view line) { lines.emplace_back(line); }));
  std::array<char, 30> banner{};
  ASSERT_FALSE(link.CheckVersion(banner));

  // Every line begins with its time: "      0.0 ms  ".
  std::vector<std::string> texts;
  for (const std::string& line : lines) {
    ASSERT_GT(line.size(), 14u) << line;
    EXPECT_EQ(line.substr(9, 5), " ms  ") << line;
    texts.push_back(line.substr(14));
  }
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0], "open COM1");
  EXPECT_EQ(texts[1], "settings 4800 baud 8N1, no flow control, DTR RTS on");
  EXPECT_EQ(texts[2],
            "time-outs read 50 ms between bytes, 3 ms x bytes + 100 ms; write 2 + 300 ms");
  const std::regex timedOut(R"(<- read timed out after [0-9.]+ ms: (\d+) of 29 bytes)");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(texts[3], match, timedOut)) << texts[3];
  EXPECT_EQ(match[1], "0");
  EXPECT_EQ(texts[4], "-> 1b");
  EXPECT_EQ(texts[5], "-> 56");
  EXPECT_EQ(texts[6], "<- 4b 6f 72 76 61 6c 69 6e 6b 20 31 01  |Korvalink 1.|");
  ASSERT_TRUE(std::regex_match(texts[7], match, timedOut)) << texts[7];
  EXPECT_EQ(match[1], "12");
  EXPECT_EQ(texts[8], "close");
}

}  // namespace
}  // namespace korvaset
