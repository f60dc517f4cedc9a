// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_record.h"

namespace korvaset {

using DeviceImage = std::array<std::uint8_t, kImageSize>;

// The misbehaviours the simulated tracker can put on, so that tests can meet each failure.
enum class TrackerFault {
  kNone,
  kSilent,           // answers nothing at all
  kNotBanner,        // answers the version request with text that is not the banner
  kShortBanner,      // answers the version request with fewer than 10 characters
  kBlank,            // its memory reads as all 0xFF until something is written
  kUnstable,         // two image readings in a row differ in one byte
  kShortReadback,    // once an image has been written, readings lack their last byte
  kChangedReadback,  // once an image has been written, readings have one byte changed
  kHangup,           // drops the line in the middle of every image write
};

// The names the command line uses for the faults, in the order of the enum.
std::span<const std::string_view> TrackerFaultNames();
std::optional<TrackerFault> ParseTrackerFault(std::string_view name);

// What one batch of received bytes makes the tracker do.
struct TrackerResponse {
  std::vector<std::uint8_t> reply;  // bytes to send back, in order
  bool imageStored = false;         // an image write completed; Image() holds it
  bool hangUp = false;              // drop the line now; the rest of the batch is lost
};

// The tracker's side of the serial protocol, without the line: it takes the bytes that
// arrive, keeps the device image and says what to send back. Every command is logged.
class SimulatedTracker {
 public:
  using Log = std::function<void(const std::string&)>;

  static constexpr std::string_view kBanner = "Korvalink 1.0 simulated";

  SimulatedTracker(const DeviceImage& image, TrackerFault fault, Log log);

  TrackerResponse Receive(std::span<const std::uint8_t> bytes);
  // Bytes that arrived at another line speed, as the tracker's UART sees them: garbage. No
  // command forms from them, but an image write that waits for its bytes takes them.
  TrackerResponse ReceiveGarbled(std::span<const std::uint8_t> bytes);
  // The host closed its port. A tracker can't see that: an image that has arrived only in
  // part stays pending, and the bytes that come next complete it.
  void PortClosed();
  // Forgets a command that was cut off (the line was dropped or garbled).
  void Reset();
  // Whether an image write has begun and waits for more image bytes.
  bool AwaitingImage() const { return state_ == State::kWriteImage; }

  const DeviceImage& Image() const { return image_; }

 private:
  enum class State { kIdle, kEscape, kToneEscape, kWriteAa, kWrite55, kWriteImage };

  void OnCommand(std::uint8_t command, TrackerResponse& response);
  void OnTone(std::uint8_t code);
  void AppendImageReading(TrackerResponse& response);

  DeviceImage image_;
  TrackerFault fault_;
  Log log_;
  State state_ = State::kIdle;
  DeviceImage incoming_{};
  int incomingCount_ = 0;
  bool incomingAcrossClose_ = false;
  int readings_ = 0;
  bool written_ = false;
};

}  // namespace korvaset
