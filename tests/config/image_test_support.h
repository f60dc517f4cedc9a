// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "config/config_record.h"
#include "platform/recording_message_boxes.h"

namespace korvaset {

using Image = std::array<std::uint8_t, kImageSize>;

// Records the messages the codec shows, so that a test sees them and nothing is printed.
class CodecTest : public ::testing::Test {
 protected:
  Image Encode(ConfigRecord& record) {
    std::array<std::uint8_t, kImageBufferSize> buffer{};
    EXPECT_EQ(record.EncodeImage(buffer), kImageSize);
    Image image{};
    std::copy_n(buffer.begin(), kImageSize, image.begin());
    return image;
  }

  ConfigRecord Decode(const Image& image) {
    ConfigRecord record;
    EXPECT_FALSE(record.DecodeImage(image));
    return record;
  }

  RecordingMessageBoxes boxes_;
  ScopedMessageBoxes scope_{boxes_};
};

}  // namespace korvaset
