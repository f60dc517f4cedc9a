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

// The image of a new record: header, then NOCALL, WIDE1-1, WIDE2-1 (end bit) and the
// trailer at 56, the status text at 80; the Secondary shares both.
const Image kDefaultImage = {
    0x38, 0x38, 0x80, 0x80, 0x2D, 0x2D, 0x13, 0x13,  // 0: address offsets, header, delays
    0x78, 0x78, 0x00, 0x00, 0x1E, 0x1E, 0x00, 0x00,  // 8: auto and manual rates
    0xC0, 0xC0, 0x00, 0x00, 0x03, 0x03, 0x50, 0x50,  // 16: flags, status every, text offsets
    0x38, 0x50, 0x00, 0x00, 0x00, 0x00, 0x3E, 0x3E,  // 24: optional offsets, MIC-E, symbol
    0x2F, 0x2F, 0x14, 0x14, 0x03, 0x03, 0x00, 0x00,  // 32: table, quiet, power, flags
    0x09, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 40: waypoint, telemetry, flags
    0x00, 0x00, 0x00, 0x00, 0x64, 0x64, 0x32, 0x00,  // 48: levels and twist
    0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0x60, 0xAE,  // 56: N O C A L L ssid, W
    0x92, 0x88, 0x8A, 0x62, 0x40, 0x62, 0xAE, 0x92,  // 64: I D E 1 _ ssid, W I
    0x88, 0x8A, 0x64, 0x40, 0x63, 0x03, 0xF0, 0x00,  // 72: D E 2 _ ssid+end, trailer
    'K',  'o',  'r',  'v',  'a',  'l',  'i',  'n',   // 80: status text
    'k',  0x00,                                      // 88
};

constexpr const char* kTruncatedText =
    "The Primary or Secondary Status Beacon text is too long and has been tuncated.  To have a "
    "longer status beacon text, use fewer digipeaters, and make the primary and secondary "
    "callsigns, digipeaters, or status texts identical.";

std::string Text(const auto& field) {
  return std::string(field.data());
}

class ImageCodec : public CodecTest {};

TEST_F(ImageCodec, DefaultRecordEncodesToTheDefaultImage) {
  ConfigRecord record;
  EXPECT_EQ(Encode(record), kDefaultImage);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ImageCodec, DefaultImageDecodesToTheDefaultsInStoredSteps) {
  ConfigRecord expected;
  expected.manualTxDelay = {127, 127};
  expected.quietTime = {526, 526};
  ConfigRecord record;
  record.visibleProfile = 1;
  expected.visibleProfile = 1;
  EXPECT_FALSE(record.DecodeImage(kDefaultImage));
  EXPECT_EQ(record, expected);
  // 127 ms is 19.5 steps: written again, the manual delay moves up a step.
  Image rewritten = kDefaultImage;
  rewritten[6] = rewritten[7] = 20;
  EXPECT_EQ(Encode(record), rewritten);
}

TEST_F(ImageCodec, ValuesAreCutOrClampedToTheirStoredWidth) {
  ConfigRecord record;
  record.headerByte = 0x1A5;
  record.statusEvery[1] = 0x1234;
  record.autoTxRate[0] = 70000;
  record.telemetryRate[1] = 0x1234;
  record.powerSwitchTime = {300, -5};
  record.waypointChars = {-1, 256};
  record.rxLevel = 300;
  record.txLevel = -3;
  record.txTwist = 150;
  record.symbol[1] = static_cast<char>(0xE9);
  const Image image = Encode(record);
  const std::pair<int, int> expected[] = {
      {2, 0xA5},  {3, 0xA5},  {21, 0x34}, {8, 70000 & 0xFF}, {10, (70000 >> 8) & 0xFF},
      {43, 0x34}, {45, 0x12}, {36, 255},  {37, 0},           {40, 0},
      {41, 255},  {52, 255},  {53, 0},    {54, 100},         {31, 0xE9},
  };
  for (auto [at, value] : expected) EXPECT_EQ(image[at], value) << "byte " << at;
}

TEST_F(ImageCodec, TxDelaysUseTheirProfilesBaudRate) {
  ConfigRecord record;
  record.baud300[1] = 1;
  const Image image = Encode(record);
  EXPECT_EQ(image[4], 45);
  EXPECT_EQ(image[5], 12);
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(decoded.autoTxDelay[0], 300);
  EXPECT_EQ(decoded.autoTxDelay[1], 320);
}

// Each flag's place, written out as the tracker lays it: the Primary's byte, the bit.
struct FlagPlace {
  const char* name;
  PerProfile<Flag> ConfigRecord::*field;
  int byte;
  int bit;
};

const FlagPlace kFlagPlaces[] = {
    {"forcePrintable", &ConfigRecord::forcePrintable, 16, 0},
    {"onlySendValid", &ConfigRecord::onlySendValid, 16, 1},
    {"slotDivides60", &ConfigRecord::slotDivides60, 16, 3},
    {"slotDivides600", &ConfigRecord::slotDivides600, 16, 4},
    {"sendAltitude", &ConfigRecord::sendAltitude, 16, 6},
    {"micE", &ConfigRecord::micE, 16, 7},
    {"powerSwitch", &ConfigRecord::powerSwitch, 18, 0},
    {"timestamp", &ConfigRecord::timestamp, 18, 1},
    {"reservedFlag", &ConfigRecord::reservedFlag, 18, 2},
    {"alternateDigiPaths", &ConfigRecord::alternateDigiPaths, 18, 3},
    {"invertCdIn", &ConfigRecord::invertCdIn, 18, 4},
    {"timestampHms", &ConfigRecord::timestampHms, 18, 5},
    {"noTxOnPttIn", &ConfigRecord::noTxOnPttIn, 18, 6},
    {"sendNmea", &ConfigRecord::sendNmea, 18, 7},
    {"sendSeparate", &ConfigRecord::sendSeparate, 38, 0},
    {"baud300", &ConfigRecord::baud300, 38, 1},
    {"sendVoltage", &ConfigRecord::sendVoltage, 38, 2},
    {"sendTemp", &ConfigRecord::sendTemp, 38, 3},
    {"sendAfterPosition", &ConfigRecord::sendAfterPosition, 38, 4},
    {"noGtPrefix", &ConfigRecord::noGtPrefix, 38, 5},
    {"serialOutHigh", &ConfigRecord::serialOutHigh, 38, 6},
    {"skipStartPacket", &ConfigRecord::skipStartPacket, 38, 7},
    {"gps9600", &ConfigRecord::gps9600, 46, 3},
};

TEST_F(ImageCodec, EachFlagHasItsOwnBitInEachProfile) {
  for (const FlagPlace& flag : kFlagPlaces) {
    for (int p = 0; p < kProfileCount; ++p) {
      SCOPED_TRACE(testing::Message() << flag.name << " in profile " << p);
      ConfigRecord record;
      record.sendAltitude = {0, 0};
      record.micE = {0, 0};
      (record.*flag.field)[p] = 1;
      Image image = Encode(record);
      for (int at : {16, 17, 18, 19, 38, 39, 46, 47}) {
        const int expected = at == flag.byte + p ? 1 << flag.bit : 0;
        EXPECT_EQ(image[at], expected) << "byte " << at;
      }
      const ConfigRecord decoded = Decode(image);
      EXPECT_EQ((decoded.*flag.field)[p], 1);
      EXPECT_EQ((decoded.*flag.field)[1 - p], 0);
    }
  }
}

TEST_F(ImageCodec, FlagBitsOutsideTheFlagsAreIgnored) {
  Image image = kDefaultImage;
  image[46] = 0xF7;  // everything but gps9600
  image[3] = 0x11;   // the header copy
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(decoded.gps9600[0], 0);
  EXPECT_EQ(decoded.headerByte, 0x80);
}

TEST_F(ImageCodec, SecondaryAddressBlockIsSharedOnlyWhenTextsAreEqual) {
  struct Case {
    const char* callsign;
    const char* path;
    bool shared;
  };
  const Case cases[] = {
      {"NOCALL", "WIDE1-1,WIDE2-1", true},
      {"nocall", "WIDE1-1,WIDE2-1", false},  // same address, other text
      {"NOCALL", "WIDE1-1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.callsign) + " " + c.path);
    ConfigRecord record;
    record.visibleProfile = 1;
    record.SetCallsign(c.callsign);
    record.SetDigiPath(c.path);
    const Image image = Encode(record);
    EXPECT_EQ(image[1] == image[0], c.shared);
    EXPECT_EQ(image[25], 80);
    const ConfigRecord decoded = Decode(image);
    EXPECT_EQ(Text(decoded.digiPath[1]), c.path);
    EXPECT_EQ(Text(decoded.callsign[1]), "NOCALL");
  }
}

TEST_F(ImageCodec, SecondaryWithItsOwnCallsignAndNoPath) {
  ConfigRecord record;
  record.visibleProfile = 1;
  record.SetCallsign("N0CALL-7");
  record.SetDigiPath("");
  const Image image = Encode(record);
  EXPECT_EQ(image[1], 80);
  const std::vector<std::uint8_t> block(image.begin() + 80, image.begin() + 90);
  EXPECT_EQ(block, (std::vector<std::uint8_t>{0x9C, 0x60, 0x86, 0x82, 0x98, 0x98, 0x6F, 0x03, 0xF0,
                                              0x00}));
  EXPECT_EQ(image[22], 90);
  EXPECT_EQ(image[23], 90);
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(Text(decoded.callsign[1]), "N0CALL-7");
  EXPECT_EQ(Text(decoded.digiPath[1]), "");
  EXPECT_EQ(Text(decoded.digiPath[0]), "WIDE1-1,WIDE2-1");
}

TEST_F(ImageCodec, StatusTextsAreSharedOnlyWhenEqual) {
  const std::pair<const char*, int> cases[] = {{"Korvalink", 80}, {"KORVALINK", 90}};
  for (auto [secondary, offset] : cases) {
    SCOPED_TRACE(secondary);
    ConfigRecord record;
    record.visibleProfile = 1;
    record.SetStatusText(secondary);
    const Image image = Encode(record);
    EXPECT_EQ(image[23], offset);
    EXPECT_EQ(Text(Decode(image).statusText[1]), secondary);
  }
}

TEST_F(ImageCodec, LongStatusTextIsTruncatedWithOneWarning) {
  ConfigRecord record;
  const std::string primary = std::string(45, 'a') + "XYZ12";  // 50 characters
  record.SetStatusText(primary);
  record.visibleProfile = 1;
  record.SetStatusText(std::string(30, 'b'));
  const Image image = Encode(record);
  EXPECT_EQ(image[22], 80);
  EXPECT_EQ(image[23], 127);
  EXPECT_EQ(image[126], 'Y');  // the 47th character
  EXPECT_EQ(image[127], 0);
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(Text(decoded.statusText[0]), primary.substr(0, 47));
  EXPECT_EQ(Text(decoded.statusText[1]), "");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0],
            (Message{.text = kTruncatedText, .caption = "Status Beacon Text Truncated"}));
}

TEST_F(ImageCodec, SmartBeaconingBlockHoldsItsSevenFields) {
  ConfigRecord record;
  record.smartBeaconing = {1, 1};
  const Image image = Encode(record);
  const Image::const_iterator block = image.begin() + 56;
  const std::vector<std::uint8_t> expected = {0x05, 0x41, 0x08, 0x07, 0x5A,
                                              0x00, 0x1B, 0xFF, 0x00, 0x05};
  EXPECT_EQ(std::vector<std::uint8_t>(block, block + 10), expected);
  EXPECT_EQ(image[24], 56);
  EXPECT_EQ(image[0], 66);  // the Primary's addresses follow its block
  EXPECT_EQ(image[25], 90);
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 90, image.begin() + 100), expected);
  EXPECT_EQ(image[1], 66);

  record.sbSlowRate[1] = 0xBEEF;
  record.sbTurnSlope[1] = 0x1234;
  record.sbMinTurnTime[1] = 0x1FF;
  ConfigRecord decoded;
  decoded.sbSlowRate = {1, 1};
  EXPECT_FALSE(decoded.DecodeImage(Encode(record)));
  EXPECT_EQ(decoded.sbSlowRate[0], 1800);
  EXPECT_EQ(decoded.sbSlowRate[1], 0xBEEF);
  EXPECT_EQ(decoded.sbTurnSlope[1], 0x1234);
  EXPECT_EQ(decoded.sbMinTurnTime[1], 0xFF);
}

TEST_F(ImageCodec, FieldsAnImageDoesNotCarryKeepTheirValues) {
  ConfigRecord record;
  record.sbSlowRate = {999, 998};
  record.slotOffset = {7, 8};
  record.visibleProfile = 1;
  EXPECT_FALSE(record.DecodeImage(kDefaultImage));
  EXPECT_EQ(record.sbSlowRate[0], 999);
  EXPECT_EQ(record.sbSlowRate[1], 998);
  EXPECT_EQ(record.slotOffset[1], 8);
  EXPECT_EQ(record.visibleProfile, 1);
}

TEST_F(ImageCodec, TimeSlottingStoresTheSlotAndDerivesTheDivisorFlags) {
  struct Case {
    int rate;
    int offset;
    std::uint8_t low, high;
    Flag divides60, divides600;
    int decodedOffset;
  };
  const Case cases[] = {
      {120, 15, 0x6A, 0x00, 0, 1, 15},
      {30, 15, 0x10, 0x00, 1, 1, 15},
      {0, 0, 0x01, 0x00, 1, 0, 0},                  // no rate: the flags keep what the record held
      {10, 20, 0xF7, 0xFF, 1, 1, 10 - 0xFFF7 + 1},  // negative slot: the offset doesn't survive
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << " " << c.offset);
    ConfigRecord record;
    record.timeSlotting[1] = 1;
    record.autoTxRate[1] = c.rate;
    record.slotOffset[1] = c.offset;
    record.slotDivides60[1] = 1;
    const Image image = Encode(record);
    EXPECT_EQ(image[25], 80);
    EXPECT_EQ(image[80], c.low);
    EXPECT_EQ(image[81], c.high);
    EXPECT_EQ(record.slotDivides60[1], c.divides60);
    EXPECT_EQ(record.slotDivides600[1], c.divides600);
    EXPECT_EQ(image[17] & 0x18, (c.divides60 << 3) | (c.divides600 << 4));
    EXPECT_EQ(Decode(image).slotOffset[1], c.decodedOffset);
  }
}

TEST_F(ImageCodec, BothOptionalBlocksShareOneArea) {
  ConfigRecord record;
  record.smartBeaconing[0] = 1;
  record.timeSlotting[0] = 1;
  record.slotOffset[0] = 20;
  const Image image = Encode(record);
  EXPECT_EQ(image[24], 56);
  EXPECT_EQ(image[66], 101);  // 120 - 20 + 1, after the ten SmartBeaconing bytes
  EXPECT_EQ(image[0], 68);
  EXPECT_EQ(Decode(image).slotOffset[0], 20);
}

TEST_F(ImageCodec, SymbolsOutsidePrintableBytesDecodeToDefaults) {
  const std::pair<std::uint8_t, char> symbols[] = {{0x00, '-'},    {0x1F, '-'}, {0x20, ' '},
                                                   {0x7F, '\x7F'}, {0x80, '-'}, {0xFF, '-'}};
  for (auto [byte, symbol] : symbols) {
    SCOPED_TRACE(int{byte});
    Image image = kDefaultImage;
    image[31] = byte;
    image[33] = byte;
    const ConfigRecord decoded = Decode(image);
    EXPECT_EQ(decoded.symbol[1], symbol);
    EXPECT_EQ(decoded.symbolTable[1], symbol == '-' ? '/' : symbol);
  }
}

TEST_F(ImageCodec, AddressesDecodeLikeTheTrackerStoresThem) {
  Image image = kDefaultImage;
  image[62] = 0xEE;  // NOCALL's SSID byte with bit 7 set: no SSID
  image[69] = 0x60;  // WIDE1's SSID 0: shown without one
  EXPECT_EQ(Text(Decode(image).callsign[0]), "NOCALL");
  EXPECT_EQ(Text(Decode(image).digiPath[0]), "WIDE1,WIDE2-1");

  image = kDefaultImage;
  image[1] = 0x38;  // the Secondary pointing at the Primary's block
  image[0] = 70;    // the Primary starting at WIDE2-1
  const ConfigRecord decoded = Decode(image);
  EXPECT_EQ(Text(decoded.callsign[0]), "WIDE2-1");
  EXPECT_EQ(Text(decoded.digiPath[0]), "");
  EXPECT_EQ(Text(decoded.callsign[1]), "NOCALL");
  EXPECT_EQ(Text(decoded.digiPath[1]), "WIDE1-1,WIDE2-1");
}

TEST_F(ImageCodec, RecordWithEveryFieldSetSurvivesARoundTrip) {
  ConfigRecord record;
  record.SetCallsign("AB1CDE-15");
  record.SetDigiPath("RELAY,WIDE2-2");
  record.SetStatusText("Primary status");
  record.manualTxDelay[0] = 600;
  record.micEMessage[0] = 7;
  record.micEPath[0] = 15;
  record.smartBeaconing[0] = 1;
  record.sbFastRate[0] = 60;
  record.visibleProfile = 1;
  record.SetCallsign("N0CALL-3");
  record.SetDigiPath("");
  record.SetStatusText("Secondary");
  record.timeSlotting[1] = 1;
  record.autoTxRate[1] = 600;
  record.slotOffset[1] = 42;
  record.baud300[1] = 1;
  record.autoTxDelay[1] = 320;
  record.manualTxDelay[1] = 0;
  record.symbol[1] = 'k';
  record.symbolTable[1] = 'S';
  record.statusEvery[1] = 255;
  record.telemetryRate[1] = 65535;
  record.manualTxRate[1] = 300;
  record.headerByte = 0x42;
  record.rxLevel = 7;
  record.txLevel = 99;
  record.txTwist = 0;
  const Image image = Encode(record);
  ConfigRecord decoded;
  decoded.visibleProfile = 1;
  EXPECT_FALSE(decoded.DecodeImage(image));
  ConfigRecord expected = record;
  expected.quietTime = {526, 526};
  EXPECT_EQ(decoded, expected);
  EXPECT_EQ(Encode(decoded), image);
  EXPECT_TRUE(boxes_.shown.empty());
}

}  // namespace
}  // namespace korvaset
