// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Exports the configuration in an arbitrary image as text and imports it again. Whatever the
// decoder accepts must give a text that imports without a problem; every image the encoder
// makes must come back byte for byte, and its second export must equal the first.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "config/config_record.h"
#include "config/config_text.h"
#include "platform/recording_message_boxes.h"

namespace {

using namespace korvaset;

using Buffer = std::array<std::uint8_t, kImageBufferSize>;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_config_text: %s\n", what);
  std::abort();
}

std::span<const std::uint8_t> ImageOf(const Buffer& buffer) {
  return std::span(buffer).first(kImageSize);
}

// The record a text describes, starting from the default configuration.
ConfigRecord Imported(const std::string& text) {
  ConfigRecord record;
  Check(ApplyConfigText(text, record).empty(), "an exported text has a problem");
  return record;
}

// An image the encoder made must survive export and import unchanged.
void CheckEncoderImage(const Buffer& encoded) {
  const auto fields = DescribeImage(ImageOf(encoded));
  Check(fields.has_value(), "an encoded image was refused");
  const std::string text = FormatConfigText(*fields);
  ConfigRecord record = Imported(text);
  Buffer again{};
  Check(record.EncodeImage(again) == kImageSize, "an imported text did not encode");
  for (int i = 0; i < kImageSize; ++i) {
    if (encoded[i] != again[i]) {
      std::fprintf(stderr, "%sbyte %d: %02X -> %02X\n", text.c_str(), i, encoded[i], again[i]);
      Check(false, "export then import changed the image");
    }
  }
  const auto second = DescribeImage(ImageOf(again));
  Check(second && FormatConfigText(*second) == text, "the second export differs from the first");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static RecordingMessageBoxes boxes;
  static ScopedMessageBoxes scope(boxes);
  boxes.shown.clear();

  std::array<std::uint8_t, kImageSize> raw{};
  std::copy_n(data, std::min<std::size_t>(size, kImageSize), raw.begin());
  const auto fields = DescribeImage(raw);
  if (!fields) return 0;

  // Two ways to an image of the encoder's own: through the text (which keeps the stored
  // steps of the times), and straight from the decoded record.
  ConfigRecord fromText = Imported(FormatConfigText(*fields));
  ConfigRecord decoded;
  Check(!decoded.DecodeImage(raw), "DescribeImage accepted what DecodeImage refused");
  for (ConfigRecord* record : {&fromText, &decoded}) {
    Buffer encoded{};
    // Blocks that overlap in the input may need more room than the image has.
    if (record->EncodeImage(encoded) == kImageSize) CheckEncoderImage(encoded);
  }
  return 0;
}
