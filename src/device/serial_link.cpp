// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "device/serial_link.h"

#include <cstdio>

#include "platform/message_box.h"

namespace korvaset {

namespace {

constexpr int kBytePauseMs = 10;

}  // namespace

SerialLink::SerialLink() : SerialLink(MakePlatformSerialPort()) {}

SerialLink::SerialLink(std::unique_ptr<SerialPort> port) : port_(std::move(port)) {}

bool SerialLink::IsOpen() const {
  return port_->IsOpen();
}

bool SerialLink::Open() {
  // A port left open by a failed command is closed first; a failure to close has shown its
  // message and doesn't stop the new opening.
  if (IsOpen()) Close();
  if (portNumber_ < 1 || portNumber_ > 8) return ShowError("Invalid Com Port Number");
  char name[8];
  std::snprintf(name, sizeof name, "COM%d", portNumber_);
  if (!port_->Open(name)) return ShowError("Could not aquire Com Port");
  // From here on a failure leaves the port open; the next Open closes it.
  if (!port_->ReadSettings()) return ShowError("GetCommState failed");
  if (!port_->ApplySettings(baudRate_)) return ShowError("SetCommState failed");
  if (!port_->ApplyTimeouts(PortTimeouts{})) return ShowError("SetCommTimeouts failed");
  return false;
}

bool SerialLink::Write(std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return ShowError("ComPort Invalid");
  std::size_t written = 0;
  for (const std::uint8_t byte : bytes) {
    const std::optional<int> taken = port_->WriteByte(byte);
    if (!taken) return ShowError("ComPort write failed");
    port_->Pause(kBytePauseMs);
    written += static_cast<std::size_t>(*taken);
  }
  // A byte that timed out counted 0: the rest were still tried, the shortfall shows here.
  if (written != bytes.size()) return ShowError("ComPort write mismatch");
  return false;
}

int SerialLink::Read(std::span<std::uint8_t> buffer) {
  if (!IsOpen()) {
    ShowError("ComPort Invalid");
    return 0;
  }
  const std::optional<int> got = port_->Read(buffer);
  if (!got) {
    ShowError("ComPort read failed");
    return 0;
  }
  return *got;
}

bool SerialLink::Close() {
  if (!IsOpen()) return ShowError("ComPort Invalid");
  if (!port_->Close()) return ShowError("ComPort Close failed");
  return false;
}

}  // namespace korvaset
