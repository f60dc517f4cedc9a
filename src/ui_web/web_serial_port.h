// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <functional>

#include "platform/serial_port.h"

namespace korvaset {

// The serial port over Web Serial, through the glue's korvasetSerial: COMn is the n-th
// entry of the page's port list. Web Serial takes the speed when it opens a port, so the
// port opens at the speed the link is about to apply (nextBaudRate); should another be
// applied, it opens again at that one.
class WebSerialPort final : public SerialPort {
 public:
  void FollowBaudRate(std::function<int()> nextBaudRate) {
    nextBaudRate_ = std::move(nextBaudRate);
  }

  bool Open(std::string_view comName) override;
  bool ReadSettings() override;
  bool ApplySettings(int baudRate) override;
  bool ApplyTimeouts(const PortTimeouts& timeouts) override;
  std::optional<int> Read(std::span<std::uint8_t> buffer) override;
  std::optional<int> WriteByte(std::uint8_t byte) override;
  bool Close() override;
  bool IsOpen() const override { return open_; }
  void Pause(int milliseconds) override;

 private:
  int entry_ = -1;
  int baudRate_ = 4800;
  bool open_ = false;
  PortTimeouts timeouts_;
  std::function<int()> nextBaudRate_;
};

}  // namespace korvaset
