// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The tracker's four commands, as operations of the serial link: version request, image
// read, image write and tone. Each opens the port, drains it where the tracker may have left
// bytes, sends, reads the reply if there is one, and closes.
#include <algorithm>
#include <array>
#include <cstdio>

#include "config/config_record.h"
#include "device/serial_link.h"
#include "platform/ascii_text.h"
#include "platform/interrupt_hold.h"
#include "platform/message_box.h"

namespace korvaset {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::array<std::uint8_t, 2> kVersionRequest = {kEsc, 'V'};
constexpr std::array<std::uint8_t, 2> kImageRead = {kEsc, 'U'};
constexpr std::array<std::uint8_t, 4> kImageWrite = {kEsc, 'D', 0xAA, 0x55};
constexpr std::array<std::uint8_t, 3> kToneStop = {kEsc, kEsc, 'x'};

// Between a command and what follows it the tracker needs this long.
constexpr int kCommandPauseMs = 50;
constexpr std::size_t kWriteDrainCapacity = 100;

constexpr std::string_view kBannerPrefix = "Korvalink ";

// The first ten characters are the product name and a space, in any letter case. The
// comparison stops at the terminating zero, so a short reply never matches.
bool IsBanner(std::span<const char> text) {
  const auto end = std::find(text.begin(), text.end(), '\0');
  return StartsWithIgnoringAsciiCase({text.data(), static_cast<std::size_t>(end - text.begin())},
                                     kBannerPrefix);
}

}  // namespace

bool SerialLink::CheckVersion(std::span<char> banner) {
  if (Open()) return true;
  // One byte of the buffer stays for the terminating zero.
  const std::span<std::uint8_t> reply(reinterpret_cast<std::uint8_t*>(banner.data()),
                                      banner.empty() ? 0 : banner.size() - 1);
  Read(reply);  // drain: whatever the tracker sent before we asked
  if (Write(kVersionRequest)) {
    Close();
    return true;
  }
  const int received = Read(reply);
  if (!banner.empty()) banner[static_cast<std::size_t>(received)] = '\0';
  // Something answered, but not the tracker: the port stays open until the next Open.
  if (!IsBanner(banner)) return true;
  return Close();
}

bool SerialLink::FindDevice(std::span<char> banner) {
  SetBaudRate(4800);
  if (!CheckVersion(banner)) return false;
  SetBaudRate(9600);
  if (!CheckVersion(banner)) return false;
  return ShowError("Korvalink Not Found");
}

bool SerialLink::SendWriteCommand(std::span<const std::uint8_t> image,
                                  std::optional<InterruptHold>& hold) {
  if (Open()) return true;
  std::array<std::uint8_t, kWriteDrainCapacity> drain{};
  Read(drain);
  // Nothing has gone out yet: an interrupt until here ends the program with nothing sent.
  hold.emplace();
  // Header and image within one opening, at the same pace and nothing between them.
  if (Write(kImageWrite) || Write(image)) {
    Close();
    return true;
  }
  return Close();
}

int SerialLink::SendReadCommand(std::span<std::uint8_t> buffer) {
  if (Open()) return 0;
  Read(buffer);  // drain
  if (Write(kImageRead)) {
    Close();
    return 0;
  }
  const int received = Read(buffer);
  if (Close()) return 0;
  return received;
}

int SerialLink::ReadImage(std::span<std::uint8_t> buffer) {
  const int first = SendReadCommand(buffer);
  if (first == 0) return 0;
  std::array<std::uint8_t, kImageBufferSize> second{};
  const int again = SendReadCommand(second);
  if (again != first) return 0;
  if (!std::equal(buffer.begin(), buffer.begin() + first, second.begin())) return 0;
  return first;
}

bool SerialLink::WriteImage(std::span<const std::uint8_t> image) {
  std::array<std::uint8_t, kImageBufferSize> readBack{};
  int received = 0;
  {
    // A tracker left with part of an image takes the next command's bytes as the rest of it:
    // the write and its read-back run to their end, whatever signal comes.
    std::optional<InterruptHold> hold;
    if (SendWriteCommand(image, hold)) return true;
    port_->Pause(kCommandPauseMs);
    received = SendReadCommand(readBack);
    if (received == 0) received = SendReadCommand(readBack);  // one retry, no more
  }
  const int count = static_cast<int>(image.size());
  if (received != count) {
    char text[64];
    std::snprintf(text, sizeof text, "Write Failed (code %d %d)", count, received);
    return ShowError(text);
  }
  if (!std::equal(image.begin(), image.end(), readBack.begin())) return ShowError("Write Failed");
  return false;
}

bool SerialLink::SendTone(std::uint8_t toneCode) {
  if (Open()) return true;
  // Every tone command first stops the tone that is playing.
  const std::array<std::uint8_t, 3> tone = {kEsc, kEsc, toneCode};
  if (Write(kToneStop)) {
    Close();
    return true;
  }
  port_->Pause(kCommandPauseMs);
  if (Write(tone)) {
    Close();
    return true;
  }
  return Close();
}

}  // namespace korvaset
