// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_record.h"
#include "image_test_support.h"

namespace korvaset {
namespace {

class ImageSafety : public CodecTest {
 protected:
  // A record that differs from the defaults, so that any change by a refused decode shows.
  static ConfigRecord Edited() {
    ConfigRecord record;
    record.SetCallsign("EDITED-1");
    record.autoTxRate = {77, 78};
    record.visibleProfile = 1;
    record.SetStatusText("kept");
    return record;
  }

  Image DefaultImage() {
    ConfigRecord record;
    return Encode(record);
  }
};

TEST_F(ImageSafety, WrongSizesAreRefused) {
  ConfigRecord record = Edited();
  const std::vector<std::uint8_t> image(200, 0);
  for (std::size_t size : {0u, 127u, 129u, 200u}) {
    boxes_.shown.clear();
    EXPECT_TRUE(record.DecodeImage(std::span(image).first(size)));
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0],
              (Message{.text = "Bad EE Size " + std::to_string(size) + "\n", .caption = "Error"}));
  }
  EXPECT_EQ(record, Edited());

  std::array<std::uint8_t, 200> buffer;
  buffer.fill(0xA5);
  boxes_.shown.clear();
  EXPECT_EQ(record.EncodeImage(std::span(buffer).first(127)), 1);
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0xA5; }));
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0], (Message{.text = "Bad EE Size", .caption = "Error"}));
}

struct DamageCase {
  const char* what;
  std::vector<std::pair<int, std::uint8_t>> changes;  // on top of the default image
  const char* message;
};

TEST_F(ImageSafety, DamagedImagesAreRefusedBeforeTheRecordChanges) {
  std::vector<std::pair<int, std::uint8_t>> blank;
  for (int i = 0; i < kImageSize; ++i) blank.emplace_back(i, 0xFF);
  std::vector<std::pair<int, std::uint8_t>> unterminated;
  for (int i = 80; i < kImageSize; ++i) unterminated.emplace_back(i, 'x');
  // The Primary's addresses start at byte 2 and run on through bytes that never end them:
  // ASCII 'A' (0x82) gives six-letter names whose SSID byte lacks the end bit.
  std::vector<std::pair<int, std::uint8_t>> longPath = {{0, 2}};
  for (int i = 2; i < kImageSize; ++i) longPath.emplace_back(i, 0x82);

  const DamageCase cases[] = {
      {"blank", blank,
       "Bad EE Image: the image is blank (every byte is 0xFF), so the tracker holds no "
       "configuration."},
      {"address offset",
       {{0, 128}},
       "Bad EE Image: the Primary address block at byte 128 runs past the end of the image."},
      {"address too near the end",
       {{1, 122}},
       "Bad EE Image: the Secondary address block at byte 122 runs past the end of the image."},
      {"no end bit",
       {{76, 0x62}},
       "Bad EE Image: the Primary address block has no last address inside the image."},
      {"long path", longPath, "Bad EE Image: the Primary digi path is longer than 99 characters."},
      {"status offset",
       {{23, 200}},
       "Bad EE Image: the Secondary status text at byte 200 runs past the end of the image."},
      {"unterminated status", unterminated,
       "Bad EE Image: the Primary status text has no end inside the image."},
      {"SmartBeaconing block",
       {{17, 0xE0}, {25, 119}},
       "Bad EE Image: the Secondary SmartBeaconing block at byte 119 runs past the end of the "
       "image."},
      {"time-slot block",
       {{16, 0xC4}, {24, 127}},
       "Bad EE Image: the Primary Time Slotting block at byte 127 runs past the end of the "
       "image."},
      {"time-slot after SmartBeaconing",
       {{16, 0xE4}, {24, 117}},
       "Bad EE Image: the Primary Time Slotting block at byte 127 runs past the end of the "
       "image."},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = DefaultImage();
    for (auto [at, value] : c.changes) image[at] = value;
    ConfigRecord record = Edited();
    boxes_.shown.clear();
    EXPECT_TRUE(record.DecodeImage(image));
    EXPECT_EQ(record, Edited());
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0], (Message{.text = c.message, .caption = "Error"}));
  }
}

TEST_F(ImageSafety, BlocksEndingOnTheLastByteAreSound) {
  const std::vector<std::pair<int, std::uint8_t>> cases[] = {
      {{17, 0xE0}, {25, 118}},  // SmartBeaconing in 118..127
      {{16, 0xC4}, {24, 126}},  // time slot in 126..127
      {{1, 121}},               // an address in 121..127, end bit set below
  };
  for (const auto& changes : cases) {
    Image image = DefaultImage();
    for (auto [at, value] : changes) image[at] = value;
    image[127] = 0x61;
    image[22] = image[23] = 89;  // an empty status text, out of the way
    ConfigRecord record;
    EXPECT_FALSE(record.DecodeImage(image));
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

// Two profiles with different addresses: the Primary's callsign and four path elements
// (38 bytes), the Secondary's callsign and three (31), plus optional blocks.
ConfigRecord DistinctProfiles(bool smartBeaconing, bool timeSlotting) {
  ConfigRecord record;
  record.SetDigiPath("WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4");
  record.timeSlotting[0] = timeSlotting;
  record.smartBeaconing[0] = smartBeaconing;
  record.visibleProfile = 1;
  record.SetCallsign("N0CALL-9");
  record.SetDigiPath("WIDE1-1,WIDE2-2,WIDE3-3");
  return record;
}

TEST_F(ImageSafety, ConfigurationThatFillsTheImageLeavesOneByteForTheStatusTexts) {
  ConfigRecord record = DistinctProfiles(false, true);  // 38 + 31 + 2 = 71 bytes
  const Image image = Encode(record);
  EXPECT_EQ(image[1], 96);
  EXPECT_EQ(image[22], 127);
  EXPECT_EQ(image[23], 127);
  EXPECT_EQ(image[127], 0);
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(std::string(decoded.digiPath[0].data()), "WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4");
  EXPECT_EQ(std::string(decoded.statusText[1].data()), "");
  ASSERT_EQ(boxes_.shown.size(), 1u);  // the status text had to go
  EXPECT_EQ(boxes_.shown[0].caption, "Status Beacon Text Truncated");
}

TEST_F(ImageSafety, ConfigurationTooLargeIsRefusedWithoutWriting) {
  ConfigRecord sharedAddresses;  // one block of 8 addresses and two SmartBeaconing blocks
  sharedAddresses.SetDigiPath("A,B,C,D,E,F,G");
  sharedAddresses.visibleProfile = 1;
  sharedAddresses.SetDigiPath("A,B,C,D,E,F,G");
  sharedAddresses.smartBeaconing = {1, 1};  // 7 x 8 + 3 + 20 = 79 bytes

  struct Case {
    const char* what;
    ConfigRecord record;
    int needed;
  };
  const Case cases[] = {
      {"one byte too many",
       [] {
         ConfigRecord r = DistinctProfiles(true, false);
         r.SetDigiPath("WIDE1-1,WIDE2-2");  // the Secondary's: 24 bytes, so 38 + 10 + 24
         return r;
       }(),
       72},
      {"both with SmartBeaconing and a long path",
       [] {
         ConfigRecord r = DistinctProfiles(true, true);
         r.smartBeaconing[1] = 1;
         return r;
       }(),
       91},
      {"shared addresses", sharedAddresses, 79},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigRecord record = c.record;
    record.slotDivides600[0] = 0;  // an encoding that went ahead would set it
    const ConfigRecord before = record;
    std::array<std::uint8_t, kImageBufferSize> buffer;
    buffer.fill(0xA5);
    boxes_.shown.clear();
    EXPECT_EQ(record.EncodeImage(buffer), 0);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0xA5; }));
    EXPECT_EQ(record, before);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    const Message& shown = boxes_.shown[0];
    EXPECT_EQ(shown.caption, "Configuration Too Large");
    EXPECT_EQ(shown.icon, MessageIcon::kNone);
    EXPECT_EQ(shown.buttons, MessageButtons::kOk);
    EXPECT_NE(shown.text.find("need " + std::to_string(c.needed) + " bytes, but only 71"),
              std::string::npos)
        << shown.text;
  }
}

TEST_F(ImageSafety, HundredsOfPathElementsAreRefusedNotWrittenPastTheImage) {
  ConfigRecord record;
  record.SetDigiPath(std::string(99, ','));
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  EXPECT_EQ(record.EncodeImage(buffer), 0);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].caption, "Configuration Too Large");
}

}  // namespace
}  // namespace korvaset
