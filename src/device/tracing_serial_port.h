// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/forwarding_serial_port.h"

namespace korvaset {

// A serial port that passes every call to another and writes a line about it: opening and
// closing, settings and time-outs, every byte written and read in hexadecimal with the
// milliseconds since the trace began and its direction, and the reads that timed out.
// What a user sends when a tracker misbehaves.
class TracingSerialPort final : public ForwardingSerialPort {
 public:
  using Sink = std::function<void(std::string_view line)>;

  TracingSerialPort(std::unique_ptr<SerialPort> inner, Sink sink);
  // Writes the lines to a stream (stderr, for one), each ending in a newline.
  TracingSerialPort(std::unique_ptr<SerialPort> inner, std::FILE* stream);

  bool Open(std::string_view comName) override;
  bool ReadSettings() override;
  bool ApplySettings(int baudRate) override;
  bool ApplyTimeouts(const PortTimeouts& timeouts) override;
  std::optional<int> Read(std::span<std::uint8_t> buffer) override;
  std::optional<int> WriteByte(std::uint8_t byte) override;
  bool Close() override;

 private:
  void Line(std::chrono::steady_clock::time_point at, std::string_view text);
  std::string Failure() const;

  Sink sink_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace korvaset
