// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "tracker.h"

#include <algorithm>
#include <cstdio>

namespace korvaset {

namespace {

constexpr std::uint8_t kEsc = 0x1B;

constexpr std::array<std::string_view, 9> kFaultNames = {
    "none",     "silent",         "not-banner",       "short-banner", "blank",
    "unstable", "short-readback", "changed-readback", "hangup",
};

// Where the hang-up fault drops the line: half-way through the image.
constexpr int kHangupAfter = kImageSize / 2;

std::string Hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string_view ToneName(std::uint8_t code) {
  switch (code) {
    case 'x':
      return "stop";
    case '1':
      return "low (1200 Hz)";
    case '2':
      return "high (2200 Hz)";
    case '3':
      return "both";
    default:
      return "unknown";
  }
}

}  // namespace

std::span<const std::string_view> TrackerFaultNames() {
  return kFaultNames;
}

std::optional<TrackerFault> ParseTrackerFault(std::string_view name) {
  const auto found = std::find(kFaultNames.begin(), kFaultNames.end(), name);
  if (found == kFaultNames.end()) return std::nullopt;
  return static_cast<TrackerFault>(found - kFaultNames.begin());
}

SimulatedTracker::SimulatedTracker(const DeviceImage& image, TrackerFault fault, Log log)
    : image_(image), fault_(fault), log_(std::move(log)) {
  if (fault_ == TrackerFault::kBlank) image_.fill(0xFF);
}

void SimulatedTracker::PortClosed() {
  if (state_ != State::kWriteImage) return;
  incomingAcrossClose_ = true;
  log_("image write incomplete: " + std::to_string(incomingCount_) + " of " +
       std::to_string(kImageSize) + " bytes arrived; the next " +
       std::to_string(kImageSize - incomingCount_) + " bytes complete it");
}

TrackerResponse SimulatedTracker::ReceiveGarbled(std::span<const std::uint8_t> bytes) {
  if (state_ != State::kWriteImage) {
    Reset();
    return {};
  }
  // Each byte comes out changed, so the image is certain to be damaged.
  std::vector<std::uint8_t> garbage(bytes.begin(), bytes.end());
  for (std::uint8_t& byte : garbage) byte = static_cast<std::uint8_t>(~byte);
  return Receive(garbage);
}

void SimulatedTracker::Reset() {
  if (state_ == State::kWriteImage) {
    log_("image write cut off after " + std::to_string(incomingCount_) + " of " +
         std::to_string(kImageSize) + " bytes; nothing stored");
  }
  state_ = State::kIdle;
  incomingCount_ = 0;
  incomingAcrossClose_ = false;
}

TrackerResponse SimulatedTracker::Receive(std::span<const std::uint8_t> bytes) {
  TrackerResponse response;
  for (const std::uint8_t byte : bytes) {
    switch (state_) {
      case State::kIdle:
        if (byte == kEsc) {
          state_ = State::kEscape;
        } else {
          log_("ignored stray byte " + Hex(byte));
        }
        break;
      case State::kEscape:
        if (byte == kEsc) {
          state_ = State::kToneEscape;
        } else {
          state_ = State::kIdle;
          OnCommand(byte, response);
        }
        break;
      case State::kToneEscape:
        state_ = State::kIdle;
        OnTone(byte);
        break;
      case State::kWriteAa:
        state_ = byte == 0xAA ? State::kWrite55 : State::kIdle;
        if (state_ == State::kIdle) log_("image write without 0xAA (" + Hex(byte) + "); ignored");
        break;
      case State::kWrite55:
        state_ = byte == 0x55 ? State::kWriteImage : State::kIdle;
        if (state_ == State::kIdle) log_("image write without 0x55 (" + Hex(byte) + "); ignored");
        incomingCount_ = 0;
        break;
      case State::kWriteImage:
        incoming_[static_cast<std::size_t>(incomingCount_++)] = byte;
        if (fault_ == TrackerFault::kHangup && incomingCount_ == kHangupAfter) {
          log_("fault hangup: dropping the line after " + std::to_string(incomingCount_) +
               " image bytes");
          Reset();
          response.hangUp = true;
          return response;
        }
        if (incomingCount_ == kImageSize) {
          image_ = incoming_;
          written_ = true;
          state_ = State::kIdle;
          incomingCount_ = 0;
          response.imageStored = true;
          log_("image write: stored " + std::to_string(kImageSize) + " bytes" +
               (incomingAcrossClose_ ? " (completed after the port was closed)" : ""));
          incomingAcrossClose_ = false;
        }
        break;
    }
  }
  return response;
}

void SimulatedTracker::OnCommand(std::uint8_t command, TrackerResponse& response) {
  const bool silent = fault_ == TrackerFault::kSilent;
  switch (command) {
    case 'V': {
      std::string_view banner = kBanner;
      if (fault_ == TrackerFault::kNotBanner) banner = "Not a Korvalink";
      if (fault_ == TrackerFault::kShortBanner) banner = "Korvalink";
      if (silent) {
        log_("ESC 'V' version request: silent");
        return;
      }
      log_("ESC 'V' version request: \"" + std::string(banner) + "\"");
      response.reply.insert(response.reply.end(), banner.begin(), banner.end());
      return;
    }
    case 'U':
      if (silent) {
        log_("ESC 'U' image read: silent");
        return;
      }
      AppendImageReading(response);
      return;
    case 'D':
      log_("ESC 'D' image write");
      state_ = State::kWriteAa;
      return;
    default:
      log_("ESC " + Hex(command) + ": unknown command, ignored");
      return;
  }
}

void SimulatedTracker::OnTone(std::uint8_t code) {
  log_("ESC ESC '" + std::string(1, static_cast<char>(code)) + "' tone " +
       std::string(ToneName(code)));
}

void SimulatedTracker::AppendImageReading(TrackerResponse& response) {
  DeviceImage reading = image_;
  int length = kImageSize;
  std::string note;
  if (fault_ == TrackerFault::kUnstable && readings_ % 2 == 1) {
    reading[kImageSize - 1] ^= 0x01;
    note = " (fault unstable: last byte changed)";
  }
  if (written_ && fault_ == TrackerFault::kShortReadback) {
    length = kImageSize - 1;
    note = " (fault short-readback)";
  }
  if (written_ && fault_ == TrackerFault::kChangedReadback) {
    reading[kImageSize / 2] ^= 0x01;
    note = " (fault changed-readback: byte 64 changed)";
  }
  ++readings_;
  log_("ESC 'U' image read: " + std::to_string(length) + " bytes" + note);
  response.reply.insert(response.reply.end(), reading.begin(), reading.begin() + length);
}

}  // namespace korvaset
