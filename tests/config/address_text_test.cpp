// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/address_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "config/config_record.h"
#include "image_test_support.h"

namespace korvaset {
namespace {

struct AddressCase {
  std::string text;
  std::string name;
  int ssid;
  std::string canonical;
};

const AddressCase kAddressCases[] = {
    {"NOCALL", "NOCALL", 0, "NOCALL"},
    {"n0call-7", "N0CALL", 7, "N0CALL-7"},
    {"ab1cd-15", "AB1CD ", 15, "AB1CD-15"},
    {"AB1CDEFG-3", "AB1CDE", 3, "AB1CDE-3"},
    {"AB 1CD", "AB1CD ", 0, "AB1CD"},
    {"AB.CD-2", "AB    ", 0, "AB"},
    {"AB1CD-16", "AB1CD ", 0, "AB1CD"},
    {"AB1CD--3", "AB1CD ", 0, "AB1CD"},
    {"AB1CD-2X", "AB1CD ", 2, "AB1CD-2"},
    {"AB1CD- 4", "AB1CD ", 4, "AB1CD-4"},
    {"-5", "      ", 5, "-5"},
    {"", "      ", 0, ""},
    {"AB\xE9\x01"
     "CD-+9",
     "ABCD  ", 9, "ABCD-9"},                               // high and control bytes skipped
    {"AB1CD-99999999999999999999", "AB1CD ", 0, "AB1CD"},  // no overflow, out of range
    {"AB1CD\x7F-3", "AB1CD ", 0, "AB1CD"},                 // DEL ends the name like punctuation
    {"AB1CD-2,WIDE", "AB1CD ", 2, "AB1CD-2"},              // only the first address counts
};

TEST(AddressText, ParsesAndNormalizesTheTable) {
  for (const AddressCase& c : kAddressCases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    const ParsedAddress address = ParseAddress(c.text);
    EXPECT_EQ(std::string(address.name.data()), c.name);
    EXPECT_EQ(address.ssid, c.ssid);

    std::array<char, kCallsignSize> buffer{};
    std::copy(c.text.begin(), c.text.begin() + std::min<std::size_t>(c.text.size(), 19),
              buffer.begin());
    NormalizeAddress(buffer);
    EXPECT_EQ(std::string(buffer.data()), c.canonical);
  }
}

TEST(AddressText, NormalizeFitsTheSmallestBuffer) {
  std::array<char, kAddressTextSize> buffer{};
  std::string text = "abcdefghij-15";
  std::copy_n(text.begin(), buffer.size() - 1, buffer.begin());  // "abcdefghi" fills it
  NormalizeAddress(buffer);
  EXPECT_EQ(std::string(buffer.data()), "ABCDEF");
  std::string withSsid = "ab1cde-15";
  std::copy_n(withSsid.begin(), withSsid.size(), buffer.begin());
  NormalizeAddress(buffer);
  EXPECT_EQ(std::string(buffer.data()), "AB1CDE-15");
}

struct PathCase {
  std::string text;
  std::vector<std::pair<std::string, int>> addresses;
  std::string decoded;
};

const PathCase kPathCases[] = {
    {"WIDE1-1,WIDE2-1", {{"WIDE1 ", 1}, {"WIDE2 ", 1}}, "WIDE1-1,WIDE2-1"},
    {"wide1-1, wide2-1", {{"WIDE1 ", 1}, {"WIDE2 ", 1}}, "WIDE1-1,WIDE2-1"},
    {"WIDE1-1,", {{"WIDE1 ", 1}}, "WIDE1-1"},
    {"WIDE1-1, ", {{"WIDE1 ", 1}, {"      ", 0}}, "WIDE1-1,"},
    {"WIDE1-1,,WIDE2-1", {{"WIDE1 ", 1}, {"      ", 0}, {"WIDE2 ", 1}}, "WIDE1-1,,WIDE2-1"},
    {",WIDE2-1", {{"      ", 0}, {"WIDE2 ", 1}}, "WIDE2-1"},
    {"RELAY-0,WIDE2-2", {{"RELAY ", 0}, {"WIDE2 ", 2}}, "RELAY,WIDE2-2"},
    {"WIDE1-,5", {{"WIDE1 ", 0}, {"5     ", 0}}, "WIDE1,5"},  // the SSID stops at the comma
    {"", {}, ""},
};

class PathText : public CodecTest {};

TEST_F(PathText, SplitsIntoAddressesAndDecodesToCanonicalText) {
  for (const PathCase& c : kPathCases) {
    SCOPED_TRACE("path \"" + c.text + "\"");
    std::vector<std::pair<std::string, int>> addresses;
    for (std::string_view element : SplitPath(c.text)) {
      const ParsedAddress address = ParseAddress(element);
      addresses.emplace_back(address.name.data(), address.ssid);
    }
    EXPECT_EQ(addresses, c.addresses);

    ConfigRecord record;
    record.SetDigiPath(c.text);
    record.visibleProfile = 1;
    record.SetDigiPath(c.text);
    const Image image = Encode(record);
    // The Primary's block: callsign, one address per element, three trailer bytes.
    EXPECT_EQ(image[1], image[0]);
    EXPECT_EQ(image[22] - image[0], 7 * (1 + static_cast<int>(c.addresses.size())) + 3);
    const ConfigRecord decoded = Decode(image);
    EXPECT_EQ(std::string(decoded.digiPath[0].data()), c.decoded);
    EXPECT_EQ(std::string(decoded.digiPath[1].data()), c.decoded);
  }
}

TEST_F(PathText, CallsignsDecodeToTheirCanonicalText) {
  for (const AddressCase& c : kAddressCases) {
    SCOPED_TRACE("callsign \"" + c.text + "\"");
    ConfigRecord record;
    record.SetCallsign(c.text);
    const ConfigRecord decoded = Decode(Encode(record));
    EXPECT_EQ(std::string(decoded.callsign[0].data()), c.canonical);
  }
}

}  // namespace
}  // namespace korvaset
