// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <memory>
#include <utility>

#include "platform/serial_port.h"

namespace korvaset {

// A serial port that passes every call to another; decorators (a trace, a progress line)
// derive from it and override only the calls they watch.
class ForwardingSerialPort : public SerialPort {
 public:
  explicit ForwardingSerialPort(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {}

  bool Open(std::string_view comName) override { return inner_->Open(comName); }
  bool ReadSettings() override { return inner_->ReadSettings(); }
  bool ApplySettings(int baudRate) override { return inner_->ApplySettings(baudRate); }
  bool ApplyTimeouts(const PortTimeouts& timeouts) override {
    return inner_->ApplyTimeouts(timeouts);
  }
  std::optional<int> Read(std::span<std::uint8_t> buffer) override { return inner_->Read(buffer); }
  std::optional<int> WriteByte(std::uint8_t byte) override { return inner_->WriteByte(byte); }
  bool Close() override { return inner_->Close(); }
  bool IsOpen() const override { return inner_->IsOpen(); }
  void Pause(int milliseconds) override { inner_->Pause(milliseconds); }
  std::string LastError() const override { return inner_->LastError(); }

 protected:
  SerialPort& Inner() { return *inner_; }
  const SerialPort& Inner() const { return *inner_; }

 private:
  std::unique_ptr<SerialPort> inner_;
};

}  // namespace korvaset
