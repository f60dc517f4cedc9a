// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The port operations of the serial link over a scripted port: what is asked of the port,
// in which order, and which message each failure shows.
#include "device/serial_link.h"

#include <gtest/gtest.h>

#include "platform/recording_message_boxes.h"
#include "support/scripted_link_test.h"

namespace korvaset {
namespace {

using Lines = std::vector<std::string>;

class SerialLinkTest : public ScriptedLinkTest {
 protected:
  // Every failure of the link goes to the error box.
  Lines Shown() const {
    for (const Message& message : boxes_.shown) EXPECT_EQ(message.caption, "Error");
    return ShownTexts();
  }
};

const Lines kOpenCom1 = {"open COM1", "read settings", "settings 4800", "timeouts 50 3 100 2 300"};

TEST_F(SerialLinkTest, OpensCom1At4800AndTakesNewSettingsAtTheNextOpen) {
  EXPECT_EQ(link_->PortNumber(), 1);
  EXPECT_EQ(link_->BaudRate(), 4800);
  EXPECT_FALSE(link_->IsOpen());
  ASSERT_FALSE(link_->Open());
  EXPECT_TRUE(link_->IsOpen());
  link_->SetPortNumber(8);
  link_->SetBaudRate(9600);
  EXPECT_EQ(port_->Exchange(), kOpenCom1);  // an open port is not reconfigured
  ASSERT_FALSE(link_->Open());
  // An open port is closed first, without a message.
  EXPECT_EQ(
      port_->Exchange(),
      (Lines{"open COM1", "read settings", "settings 4800", "timeouts 50 3 100 2 300", "close",
             "open COM8", "read settings", "settings 9600", "timeouts 50 3 100 2 300"}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(SerialLinkTest, PortNumbersOutsideOneToEightTouchNoDevice) {
  for (int number : {0, 9, -1, 100}) {
    link_->SetPortNumber(number);
    EXPECT_TRUE(link_->Open()) << number;
    EXPECT_FALSE(link_->IsOpen());
  }
  EXPECT_TRUE(port_->log.empty());
  EXPECT_EQ(Shown(), Lines(4, "Invalid Com Port Number"));
}

TEST_F(SerialLinkTest, EachOpenFailureHasItsMessageAndLeavesThePortOpenOnlyOnceOpened) {
  struct Case {
    void (*script)(ScriptedSerialPort&);
    std::string message;
    bool leftOpen;
  };
  const Case cases[] = {
      {[](ScriptedSerialPort& p) { p.openResults = {false}; }, "Could not aquire Com Port", false},
      {[](ScriptedSerialPort& p) { p.readSettingsFails = true; }, "GetCommState failed", true},
      {[](ScriptedSerialPort& p) { p.applySettingsFails = true; }, "SetCommState failed", true},
      {[](ScriptedSerialPort& p) { p.applyTimeoutsFails = true; }, "SetCommTimeouts failed", true},
  };
  for (const Case& c : cases) {
    auto owned = std::make_unique<ScriptedSerialPort>();
    ScriptedSerialPort& port = *owned;
    SerialLink link(std::move(owned));
    c.script(port);
    boxes_.shown.clear();
    EXPECT_TRUE(link.Open()) << c.message;
    EXPECT_EQ(Shown(), Lines{c.message});
    EXPECT_EQ(link.IsOpen(), c.leftOpen) << c.message;
    // The next Open closes a port left open, silently, and opens afresh.
    port.openResults.clear();
    port.readSettingsFails = port.applySettingsFails = port.applyTimeoutsFails = false;
    port.log.clear();
    boxes_.shown.clear();
    EXPECT_FALSE(link.Open()) << c.message;
    EXPECT_TRUE(boxes_.shown.empty()) << c.message;
    EXPECT_EQ(port.log.front(), c.leftOpen ? "close" : "open COM1") << c.message;
  }
}

TEST_F(SerialLinkTest, AFailedCloseInsideOpenIsShownAndOpenGoesOn) {
  ASSERT_FALSE(link_->Open());
  port_->closeResults = {false};
  EXPECT_FALSE(link_->Open());
  EXPECT_EQ(Shown(), Lines{"ComPort Close failed"});
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(SerialLinkTest, WritesOneByteAtATimeWithTenMillisecondsAfterEach) {
  ASSERT_FALSE(link_->Open());
  port_->log.clear();
  const std::uint8_t bytes[] = {0x1B, 0x44, 0xAA};
  EXPECT_FALSE(link_->Write(bytes));
  EXPECT_EQ(port_->log,
            (Lines{"write 1b", "pause 10", "write 44", "pause 10", "write aa", "pause 10"}));
  EXPECT_FALSE(link_->Write({}));  // nothing to send: no write, no pause
  EXPECT_EQ(port_->log.size(), 6u);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(SerialLinkTest, AByteNotTakenIsCountedAndTheRestAreStillSent) {
  ASSERT_FALSE(link_->Open());
  port_->log.clear();
  port_->writeResults = {1, 0, 1};
  const std::uint8_t bytes[] = {1, 2, 3};
  EXPECT_TRUE(link_->Write(bytes));
  EXPECT_EQ(port_->written, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(port_->pausedMs, 30);
  EXPECT_EQ(Shown(), Lines{"ComPort write mismatch"});
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(SerialLinkTest, AFailedWriteCallStopsAtOnce) {
  ASSERT_FALSE(link_->Open());
  port_->writeResults = {1, std::nullopt};
  const std::uint8_t bytes[] = {1, 2, 3};
  EXPECT_TRUE(link_->Write(bytes));
  EXPECT_EQ(port_->written, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(port_->pausedMs, 10);
  EXPECT_EQ(Shown(), Lines{"ComPort write failed"});
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(SerialLinkTest, ReadReturnsTheCountAndLeavesTheRestOfTheBuffer) {
  ASSERT_FALSE(link_->Open());
  port_->replies = {{Bytes("abc")}, {{}, true}};
  std::uint8_t buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(link_->Read(buffer), 3);
  EXPECT_EQ(std::string(buffer, buffer + 6), "abcxxx");
  EXPECT_EQ(port_->log.back(), "read 6");
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(link_->Read(buffer), 0);
  EXPECT_EQ(Shown(), Lines{"ComPort read failed"});
  EXPECT_TRUE(link_->IsOpen());
}

TEST_F(SerialLinkTest, WithoutAnOpenPortEveryOperationSaysComPortInvalid) {
  std::uint8_t buffer[4];
  const std::uint8_t byte[] = {1};
  EXPECT_TRUE(link_->Write(byte));
  EXPECT_EQ(link_->Read(buffer), 0);
  EXPECT_TRUE(link_->Close());
  EXPECT_TRUE(port_->log.empty());
  EXPECT_EQ(Shown(), Lines(3, "ComPort Invalid"));
}

TEST_F(SerialLinkTest, CloseTwiceAndAFailedClose) {
  ASSERT_FALSE(link_->Open());
  EXPECT_FALSE(link_->Close());
  EXPECT_TRUE(link_->Close());
  EXPECT_EQ(Shown(), Lines{"ComPort Invalid"});

  boxes_.shown.clear();
  ASSERT_FALSE(link_->Open());
  port_->closeResults = {false};
  EXPECT_TRUE(link_->Close());
  EXPECT_TRUE(link_->IsOpen());  // the handle is kept: the link still counts as open
  EXPECT_EQ(Shown(), Lines{"ComPort Close failed"});
}

}  // namespace
}  // namespace korvaset
