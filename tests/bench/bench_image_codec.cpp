// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// How long building and reading a device image takes, for a new record and for one whose
// blocks and status texts fill the image to its last byte.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "config/config_record.h"
#include "platform/message_box.h"

namespace korvaset {
namespace {

// Answers every message without showing it, so that no figure includes printing.
class SilentMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(const Message& message) override { return message.defaultButton; }
};

ConfigRecord DefaultRecord() {
  return ConfigRecord();
}

// Both optional blocks and a three-element path in the Primary, its own callsign and path
// in the Secondary, and status texts that end exactly on the last byte: 60 bytes of blocks,
// then 6 + 6 bytes of text.
ConfigRecord FullRecord() {
  ConfigRecord record;
  record.smartBeaconing[0] = 1;
  record.timeSlotting[0] = 1;
  record.SetCallsign("AB1CDE-15");
  record.SetDigiPath("WIDE1-1,WIDE2-2,WIDE3-3");
  record.SetStatusText("Hello");
  record.visibleProfile = 1;
  record.SetCallsign("N0CALL-9");
  record.SetDigiPath("RELAY");
  record.SetStatusText("Bye!!");
  return record;
}

void Encode(benchmark::State& state, ConfigRecord (*make)()) {
  SilentMessageBoxes boxes;
  ScopedMessageBoxes scope(boxes);
  ConfigRecord record = make();
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(record.EncodeImage(buffer));
    benchmark::ClobberMemory();
  }
}

void Decode(benchmark::State& state, ConfigRecord (*make)()) {
  SilentMessageBoxes boxes;
  ScopedMessageBoxes scope(boxes);
  ConfigRecord record = make();
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  if (record.EncodeImage(buffer) != kImageSize) state.SkipWithError("no image");
  const auto image = std::span(buffer).first(kImageSize);
  for (auto _ : state) {
    benchmark::DoNotOptimize(record.DecodeImage(image));
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(Encode, default_record, &DefaultRecord);
BENCHMARK_CAPTURE(Encode, full_image, &FullRecord);
BENCHMARK_CAPTURE(Decode, default_record, &DefaultRecord);
BENCHMARK_CAPTURE(Decode, full_image, &FullRecord);

}  // namespace
}  // namespace korvaset
