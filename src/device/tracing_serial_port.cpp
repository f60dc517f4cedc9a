// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "device/tracing_serial_port.h"

#include <cstdio>

namespace korvaset {

namespace {

using Clock = std::chrono::steady_clock;

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char digits[4];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

// The bytes as text, with a dot for each byte that doesn't print, beside the hexadecimal.
std::string Printable(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) text += (byte >= 0x20 && byte < 0x7F) ? char(byte) : '.';
  return text;
}

}  // namespace

TracingSerialPort::TracingSerialPort(std::unique_ptr<SerialPort> inner, Sink sink)
    : ForwardingSerialPort(std::move(inner)), sink_(std::move(sink)), start_(Clock::now()) {}

TracingSerialPort::TracingSerialPort(std::unique_ptr<SerialPort> inner, std::FILE* stream)
    : TracingSerialPort(std::move(inner), [stream](std::string_view line) {
        std::fprintf(stream, "%.*s\n", static_cast<int>(line.size()), line.data());
        std::fflush(stream);
      }) {}

void TracingSerialPort::Line(Clock::time_point at, std::string_view text) {
  const double ms = std::chrono::duration<double, std::milli>(at - start_).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%9.1f ms  ", ms);
  sink_(std::string(stamp) + std::string(text));
}

std::string TracingSerialPort::Failure() const {
  const std::string why = Inner().LastError();
  return why.empty() ? "failed" : "failed: " + why;
}

bool TracingSerialPort::Open(std::string_view comName) {
  const Clock::time_point at = Clock::now();
  const bool ok = Inner().Open(comName);
  Line(at, "open " + std::string(comName) + (ok ? "" : " " + Failure()));
  return ok;
}

bool TracingSerialPort::ReadSettings() {
  const Clock::time_point at = Clock::now();
  const bool ok = Inner().ReadSettings();
  if (!ok) Line(at, "read settings " + Failure());
  return ok;
}

bool TracingSerialPort::ApplySettings(int baudRate) {
  const Clock::time_point at = Clock::now();
  const bool ok = Inner().ApplySettings(baudRate);
  Line(at, "settings " + std::to_string(baudRate) + " baud 8N1, no flow control, DTR RTS on" +
               (ok ? "" : " " + Failure()));
  return ok;
}

bool TracingSerialPort::ApplyTimeouts(const PortTimeouts& t) {
  const Clock::time_point at = Clock::now();
  const bool ok = Inner().ApplyTimeouts(t);
  char text[160];
  std::snprintf(text, sizeof text,
                "time-outs read %d ms between bytes, %d ms x bytes + %d ms; write %d + %d ms",
                t.readInterval, t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
                t.writeTotalConstant);
  Line(at, std::string(text) + (ok ? "" : " " + Failure()));
  return ok;
}

std::optional<int> TracingSerialPort::Read(std::span<std::uint8_t> buffer) {
  const Clock::time_point at = Clock::now();
  const std::optional<int> got = Inner().Read(buffer);
  const Clock::time_point end = Clock::now();
  if (!got) {
    Line(end, "read of " + std::to_string(buffer.size()) + " " + Failure());
    return got;
  }
  const auto received = buffer.first(static_cast<std::size_t>(*got));
  if (!received.empty()) {
    Line(end, "<- " + Hex(received) + "  |" + Printable(received) + "|");
  }
  if (received.size() < buffer.size()) {
    const double waited = std::chrono::duration<double, std::milli>(end - at).count();
    char text[120];
    std::snprintf(text, sizeof text, "<- read timed out after %.1f ms: %zu of %zu bytes", waited,
                  received.size(), buffer.size());
    Line(end, text);
  }
  return got;
}

std::optional<int> TracingSerialPort::WriteByte(std::uint8_t byte) {
  const Clock::time_point at = Clock::now();
  const std::optional<int> taken = Inner().WriteByte(byte);
  const std::string hex = Hex(std::span(&byte, 1));
  if (!taken) {
    Line(at, "-> " + hex + " " + Failure());
  } else if (*taken == 0) {
    Line(at, "-> " + hex + " not taken within the write time-out");
  } else {
    Line(at, "-> " + hex);
  }
  return taken;
}

bool TracingSerialPort::Close() {
  const Clock::time_point at = Clock::now();
  const bool ok = Inner().Close();
  Line(at, ok ? "close" : "close " + Failure());
  return ok;
}

}  // namespace korvaset
