// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace korvaset {

// A serial port in memory for fast tests. It answers from a script and records every call
// as a line of text:
//   "open COM1", "read settings", "settings 4800", "timeouts 50 3 100 2 300",
//   "read 29", "write 1b", "pause 10", "close", with " failed" after a scripted failure.
// Pauses only add to pausedMs; nothing sleeps.
class ScriptedSerialPort final : public SerialPort {
 public:
  // One read's answer: the bytes (cut to the read's capacity) or a failed call.
  struct Reply {
    std::vector<std::uint8_t> bytes;
    bool fails = false;
  };

  // The script. Each queue is taken from the front, one entry a call; an empty queue
  // means success (reads: no bytes, writes: the byte taken).
  std::deque<bool> openResults;
  bool readSettingsFails = false;
  bool applySettingsFails = false;
  bool applyTimeoutsFails = false;
  std::deque<Reply> replies;
  std::deque<std::optional<int>> writeResults;  // 1 taken, 0 not taken, nothing: call fails
  std::deque<bool> closeResults;
  // Answers a read when the replies have run out, from what the port has seen.
  std::function<Reply(const ScriptedSerialPort& port, std::size_t capacity)> responder;

  // The record.
  std::vector<std::string> log;
  std::vector<std::uint8_t> written;  // every byte offered to the port
  std::vector<int> baudRates;         // every speed applied
  std::vector<PortTimeouts> timeouts;
  long long pausedMs = 0;

  // The log with each run of paced single-byte writes ("write b", "pause 10", ...) shown as
  // one line "write b1 b2 ...", so that a test reads like the exchange it checks.
  std::vector<std::string> Exchange() const;

  bool Open(std::string_view comName) override;
  bool ReadSettings() override;
  bool ApplySettings(int baudRate) override;
  bool ApplyTimeouts(const PortTimeouts& t) override;
  std::optional<int> Read(std::span<std::uint8_t> buffer) override;
  std::optional<int> WriteByte(std::uint8_t byte) override;
  bool Close() override;
  bool IsOpen() const override { return open_; }
  void Pause(int milliseconds) override;
  std::string LastError() const override { return lastError_; }

  int CurrentBaudRate() const { return baudRates.empty() ? 0 : baudRates.back(); }

 private:
  bool Result(std::deque<bool>& results);

  bool open_ = false;
  std::string lastError_;
};

// Bytes from text, for scripting replies: Bytes("Korvalink 1.0").
std::vector<std::uint8_t> Bytes(std::string_view text);

}  // namespace korvaset
