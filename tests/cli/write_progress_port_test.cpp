// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/write_progress_port.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/scripted_serial_port.h"

namespace korvaset {
namespace {

// What the progress line wrote to its terminal.
std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

void Exchange(SerialPort& port, const std::vector<std::uint8_t>& bytes) {
  ASSERT_TRUE(port.Open("COM1"));
  for (const std::uint8_t byte : bytes) ASSERT_EQ(port.WriteByte(byte), 1);
  ASSERT_TRUE(port.Close());
}

TEST(WriteProgressPortTest, CountsTheImageWriteAndNothingElse) {
  auto scripted = std::make_unique<ScriptedSerialPort>();
  ScriptedSerialPort& inner = *scripted;
  std::FILE* terminal = std::tmpfile();
  ASSERT_NE(terminal, nullptr);
  WriteProgressPort port(std::move(scripted), 6, terminal);

  Exchange(port, {0x1B, 'V'});
  EXPECT_EQ(Contents(terminal), "");

  Exchange(port, {0x1B, 'D', 0xAA, 0x55, 0x01, 0x02});
  const std::string progress =
      "\rWriting to the tracker: 2 of 6 bytes\rWriting to the tracker: 3 of 6 bytes"
      "\rWriting to the tracker: 4 of 6 bytes\rWriting to the tracker: 5 of 6 bytes"
      "\rWriting to the tracker: 6 of 6 bytes\n";
  EXPECT_EQ(Contents(terminal), progress);

  Exchange(port, {0x1B, 'U'});  // the read-back after it adds nothing
  EXPECT_EQ(Contents(terminal), progress);
  EXPECT_EQ(inner.written.size(), 10u);  // every byte reached the port
  std::fclose(terminal);
}

}  // namespace
}  // namespace korvaset
