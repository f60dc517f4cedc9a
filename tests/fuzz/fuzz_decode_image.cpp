// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Feeds arbitrary bytes to the image decoder and checks that it stays inside the image,
// that a refusal leaves the record as it was, and that whatever it accepts encodes again
// without writing outside the image.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "config/config_record.h"
#include "platform/recording_message_boxes.h"

namespace {

using korvaset::ConfigRecord;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_decode_image: %s\n", what);
  std::abort();
}

// A record that differs from a new one in the fields an image may leave alone, so that a
// change by a refused decode can't hide behind equal defaults.
ConfigRecord StartingRecord() {
  ConfigRecord record;
  record.visibleProfile = 1;
  record.SetCallsign("START-1");
  record.sbSlowRate = {1111, 2222};
  record.slotOffset = {33, 44};
  record.slotDivides60 = {1, 0};
  return record;
}

constexpr std::uint8_t kSentinel = 0xA5;

// Decodes one image and checks what follows from the result.
void CheckImage(std::span<const std::uint8_t> image, korvaset::RecordingMessageBoxes& boxes) {
  boxes.shown.clear();
  ConfigRecord record = StartingRecord();
  if (record.DecodeImage(image)) {
    Check(record == StartingRecord(), "a refused image changed the record");
    Check(boxes.shown.size() == 1, "a refusal must show exactly one message");
    return;
  }
  Check(image.size() == korvaset::kImageSize, "an image of the wrong size was accepted");
  Check(boxes.shown.empty(), "an accepted image showed a message");

  std::vector<std::uint8_t> buffer(korvaset::kImageBufferSize, kSentinel);
  const ConfigRecord decoded = record;
  const int length = record.EncodeImage(buffer);
  Check(length == korvaset::kImageSize || length == 0, "EncodeImage returned neither 128 nor 0");
  Check(std::all_of(buffer.begin() + korvaset::kImageSize, buffer.end(),
                    [](std::uint8_t b) { return b == kSentinel; }),
        "EncodeImage wrote past the image");
  if (length == 0) {
    Check(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == kSentinel; }),
          "a refused encoding wrote to the buffer");
    Check(record == decoded, "a refused encoding changed the record");
    return;
  }
  // What we build ourselves is never a damaged image.
  ConfigRecord again = StartingRecord();
  Check(!again.DecodeImage(std::span(buffer).first(korvaset::kImageSize)),
        "an encoded image was refused");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static korvaset::RecordingMessageBoxes boxes;
  static korvaset::ScopedMessageBoxes scope(boxes);

  // Copies of exactly the right length, so that the sanitizer sees every read past them: the
  // input as it is, and, since most inputs have another size, the input cut or padded with
  // zeros to an image.
  const std::vector<std::uint8_t> input(data, data + size);
  CheckImage(input, boxes);
  if (size != korvaset::kImageSize) {
    std::vector<std::uint8_t> image(korvaset::kImageSize, 0);
    std::copy_n(data, std::min<std::size_t>(size, image.size()), image.begin());
    CheckImage(image, boxes);
  }
  return 0;
}
