// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "support/scripted_serial_port.h"

#include <algorithm>
#include <cstdio>

namespace korvaset {

namespace {

std::string HexByte(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02x", byte);
  return text;
}

}  // namespace

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool ScriptedSerialPort::Result(std::deque<bool>& results) {
  if (results.empty()) return true;
  const bool result = results.front();
  results.pop_front();
  return result;
}

bool ScriptedSerialPort::Open(std::string_view comName) {
  const bool ok = Result(openResults);
  log.push_back("open " + std::string(comName) + (ok ? "" : " failed"));
  if (!ok) {
    lastError_ = "scripted open failure";
    return false;
  }
  open_ = true;
  return true;
}

bool ScriptedSerialPort::ReadSettings() {
  log.push_back(readSettingsFails ? "read settings failed" : "read settings");
  return !readSettingsFails;
}

bool ScriptedSerialPort::ApplySettings(int baudRate) {
  log.push_back("settings " + std::to_string(baudRate) + (applySettingsFails ? " failed" : ""));
  if (applySettingsFails) return false;
  baudRates.push_back(baudRate);
  return true;
}

bool ScriptedSerialPort::ApplyTimeouts(const PortTimeouts& t) {
  log.push_back("timeouts " + std::to_string(t.readInterval) + " " +
                std::to_string(t.readTotalMultiplier) + " " + std::to_string(t.readTotalConstant) +
                " " + std::to_string(t.writeTotalMultiplier) + " " +
                std::to_string(t.writeTotalConstant) + (applyTimeoutsFails ? " failed" : ""));
  if (applyTimeoutsFails) return false;
  timeouts.push_back(t);
  return true;
}

std::optional<int> ScriptedSerialPort::Read(std::span<std::uint8_t> buffer) {
  Reply reply;
  if (!replies.empty()) {
    reply = std::move(replies.front());
    replies.pop_front();
  } else if (responder) {
    reply = responder(*this, buffer.size());
  }
  log.push_back("read " + std::to_string(buffer.size()) + (reply.fails ? " failed" : ""));
  if (reply.fails) return std::nullopt;
  // A reply longer than the read is cut: the rest is lost, as if the line were flushed.
  const std::size_t count = std::min(reply.bytes.size(), buffer.size());
  std::copy_n(reply.bytes.begin(), count, buffer.begin());
  return static_cast<int>(count);
}

std::optional<int> ScriptedSerialPort::WriteByte(std::uint8_t byte) {
  std::optional<int> result = 1;
  if (!writeResults.empty()) {
    result = writeResults.front();
    writeResults.pop_front();
  }
  written.push_back(byte);
  log.push_back("write " + HexByte(byte) +
                (!result        ? " failed"
                 : *result == 0 ? " not taken"
                                : ""));
  return result;
}

bool ScriptedSerialPort::Close() {
  const bool ok = Result(closeResults);
  log.push_back(ok ? "close" : "close failed");
  if (ok) open_ = false;
  return ok;
}

void ScriptedSerialPort::Pause(int milliseconds) {
  log.push_back("pause " + std::to_string(milliseconds));
  pausedMs += milliseconds;
}

std::vector<std::string> ScriptedSerialPort::Exchange() const {
  std::vector<std::string> lines;
  bool inRun = false;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const std::string& line = log[i];
    const bool pacedWrite = line.size() == 8 && line.rfind("write ", 0) == 0 &&
                            i + 1 < log.size() && log[i + 1] == "pause 10";
    if (pacedWrite) {
      if (inRun) {
        lines.back() += line.substr(5);
      } else {
        lines.push_back(line);
      }
      inRun = true;
      ++i;  // the pause belongs to the write
      continue;
    }
    inRun = false;
    lines.push_back(line);
  }
  return lines;
}

}  // namespace korvaset
