// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_web/web_serial_port.h"

#include <emscripten.h>

#include <charconv>

#include "platform/pause.h"

namespace korvaset {

namespace {

// 1 when the port opened, 0 when open() rejected (absent, held by another tab or program).
EM_ASYNC_JS(int, AwaitSerialOpen, (int entry, int baudRate),
            { return await Module.korvasetSerial.open(entry, baudRate); });
EM_ASYNC_JS(int, AwaitSerialClose, (), { return await Module.korvasetSerial.close(); });
// The count read into buffer, or -1 when the stream failed (the port went away).
EM_ASYNC_JS(int, AwaitSerialRead, (std::uint8_t * buffer, int capacity, int interval, int total), {
  const bytes = await Module.korvasetSerial.read(capacity, interval, total);
  if (!bytes) return -1;
  HEAPU8.set(bytes, buffer);
  return bytes.length;
});
// 1 when taken, 0 after the time-out, -1 when the stream failed.
EM_ASYNC_JS(int, AwaitSerialWrite, (int byte, int timeout),
            { return await Module.korvasetSerial.writeByte(byte, timeout); });

}  // namespace

bool WebSerialPort::Open(std::string_view comName) {
  int number = 0;
  if (!comName.starts_with("COM")) return false;
  const std::string_view digits = comName.substr(3);
  const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size()) return false;
  entry_ = number - 1;
  if (nextBaudRate_) baudRate_ = nextBaudRate_();
  open_ = AwaitSerialOpen(entry_, baudRate_) != 0;
  return open_;
}

bool WebSerialPort::ReadSettings() {
  return open_;
}

bool WebSerialPort::ApplySettings(int baudRate) {
  if (!open_) return false;
  if (baudRate == baudRate_) return true;
  baudRate_ = baudRate;
  AwaitSerialClose();
  open_ = AwaitSerialOpen(entry_, baudRate_) != 0;
  return open_;
}

bool WebSerialPort::ApplyTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return open_;
}

std::optional<int> WebSerialPort::Read(std::span<std::uint8_t> buffer) {
  if (!open_) return std::nullopt;
  const int capacity = static_cast<int>(buffer.size());
  const int got =
      AwaitSerialRead(buffer.data(), capacity, timeouts_.readInterval,
                      timeouts_.readTotalMultiplier * capacity + timeouts_.readTotalConstant);
  if (got < 0) return std::nullopt;
  return got;
}

std::optional<int> WebSerialPort::WriteByte(std::uint8_t byte) {
  if (!open_) return std::nullopt;
  const int taken =
      AwaitSerialWrite(byte, timeouts_.writeTotalMultiplier + timeouts_.writeTotalConstant);
  if (taken < 0) return std::nullopt;
  return taken;
}

bool WebSerialPort::Close() {
  if (!open_) return false;
  open_ = false;
  return AwaitSerialClose() != 0;
}

void WebSerialPort::Pause(int milliseconds) {
  PauseMilliseconds(milliseconds);
}

}  // namespace korvaset

namespace korvaset {

// In the page every port is a Web Serial port; a device path means nothing here.
std::unique_ptr<SerialPort> MakePlatformSerialPort(std::string /*devicePath*/) {
  return std::make_unique<WebSerialPort>();
}

}  // namespace korvaset
