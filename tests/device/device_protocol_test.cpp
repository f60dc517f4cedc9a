// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The tracker's commands over a scripted port: the exact exchange of each, the speed probe,
// the two readings of an image, the verified write and the messages.
#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "device/serial_link.h"
#include "platform/recording_message_boxes.h"
#include "support/scripted_link_test.h"

namespace korvaset {
namespace {

using Lines = std::vector<std::string>;
using Reply = ScriptedSerialPort::Reply;
using ByteVector = std::vector<std::uint8_t>;

ByteVector Image(std::size_t size = 128) {
  ByteVector image(size);
  std::iota(image.begin(), image.end(), std::uint8_t{7});
  return image;
}

Lines OpenAt(int baud) {
  return {"open COM1", "read settings", "settings " + std::to_string(baud),
          "timeouts 50 3 100 2 300"};
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class DeviceProtocolTest : public ScriptedLinkTest {
 protected:
  Lines Shown() const { return ShownTexts(); }
};

TEST_F(DeviceProtocolTest, VersionRequestDrainsAsksAndReadsTheBanner) {
  port_->replies = {{Bytes("stale")}, {Bytes("Korvalink 2.04")}};
  std::array<char, 30> banner;
  banner.fill('#');
  EXPECT_FALSE(link_->CheckVersion(banner));
  EXPECT_STREQ(banner.data(), "Korvalink 2.04");
  EXPECT_EQ(port_->Exchange(),
            Join({OpenAt(4800), {"read 29", "write 1b 56", "read 29", "close"}}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(DeviceProtocolTest, WhatCountsAsABanner) {
  struct Case {
    std::string reply;
    bool accepted;
  };
  const Case cases[] = {
      {"Korvalink 1.0", true},
      {"KORVALINK V3", true},
      {"korvalink ", true},
      {"Korvalink", false},  // nine characters: the terminating zero ends the comparison
      {"Korvalink-1.0", false},
      {std::string("Korva\0link 1.0", 14), false},
      {"", false},
  };
  for (const Case& c : cases) {
    port_->log.clear();
    port_->replies = {{}, {Bytes(c.reply)}};
    std::array<char, 30> banner{};
    EXPECT_EQ(link_->CheckVersion(banner), !c.accepted) << c.reply;
    // A reply that is not the banner shows nothing and leaves the port open.
    EXPECT_EQ(link_->IsOpen(), !c.accepted) << c.reply;
    EXPECT_EQ(port_->log.back(), c.accepted ? "close" : "read 29") << c.reply;
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(DeviceProtocolTest, ALongBannerIsCutToTheBuffer) {
  port_->replies = {{}, {Bytes("Korvalink 1.0 with a very long tail of text")}};
  std::array<char, 30> banner;
  banner.fill('#');
  EXPECT_FALSE(link_->CheckVersion(banner));
  EXPECT_EQ(std::string(banner.data()), "Korvalink 1.0 with a very lon");
  EXPECT_EQ(banner[29], '\0');

  // Whatever size the caller gives, nothing is written beyond it.
  port_->replies = {{}, {Bytes("Korvalink 1.0")}};
  std::array<char, 4> tiny{'#', '#', '#', '#'};
  EXPECT_TRUE(link_->CheckVersion(tiny));
  EXPECT_EQ(std::string(tiny.data(), 4), std::string("Kor\0", 4));
  EXPECT_TRUE(link_->CheckVersion(std::span<char>()));
}

TEST_F(DeviceProtocolTest, ProbeTries4800Then9600AndKeepsTheSpeedThatAnswered) {
  link_->SetBaudRate(9600);  // a probe starts at 4800 whatever the last one found
  port_->replies = {{}, {}, {}, {Bytes("Korvalink 1.0")}};
  std::array<char, 30> banner{};
  EXPECT_FALSE(link_->FindDevice(banner));
  EXPECT_EQ(link_->BaudRate(), 9600);
  EXPECT_EQ(port_->baudRates, (std::vector<int>{4800, 9600}));
  EXPECT_STREQ(banner.data(), "Korvalink 1.0");
  EXPECT_TRUE(boxes_.shown.empty());

  // The tone that follows opens at the speed that was found.
  port_->baudRates.clear();
  EXPECT_FALSE(link_->SendTone('1'));
  EXPECT_EQ(port_->baudRates, std::vector<int>{9600});
}

TEST_F(DeviceProtocolTest, ProbeThatFindsNothing) {
  std::array<char, 30> banner{};
  EXPECT_TRUE(link_->FindDevice(banner));
  EXPECT_EQ(Shown(), Lines{"Korvalink Not Found"});
  EXPECT_EQ(link_->BaudRate(), 9600);
  // The 4800 try got no banner and left the port open; the 9600 try closes it first.
  EXPECT_EQ(port_->Exchange(), Join({OpenAt(4800),
                                     {"read 29", "write 1b 56", "read 29", "close"},
                                     OpenAt(9600),
                                     {"read 29", "write 1b 56", "read 29"}}));
}

TEST_F(DeviceProtocolTest, APortThatCannotBeOpenedIsReportedAtEachSpeed) {
  port_->openResults = {false, false};
  std::array<char, 30> banner{};
  EXPECT_TRUE(link_->FindDevice(banner));
  EXPECT_EQ(Shown(), (Lines{"Could not aquire Com Port", "Could not aquire Com Port",
                            "Korvalink Not Found"}));
}

TEST_F(DeviceProtocolTest, ImageReadIsReadTwiceAndMustAgree) {
  const ByteVector image = Image();
  ByteVector changed = image;
  changed[77] ^= 0x01;
  struct Case {
    const char* what;
    std::vector<Reply> replies;  // drain, reply, drain, reply
    int expected;
  };
  const Case cases[] = {
      {"two equal readings", {{}, {image}, {}, {image}}, 128},
      {"one byte differs", {{}, {image}, {}, {changed}}, 0},
      {"second reading shorter", {{}, {image}, {}, {Image(127)}}, 0},
      {"127 bytes twice", {{}, {Image(127)}, {}, {Image(127)}}, 127},
      {"second reading fails", {{}, {image}, {}, {{}, true}}, 0},
  };
  for (const Case& c : cases) {
    port_->replies.assign(c.replies.begin(), c.replies.end());
    std::array<std::uint8_t, 200> buffer{};
    EXPECT_EQ(link_->ReadImage(buffer), c.expected) << c.what;
    EXPECT_FALSE(link_->IsOpen()) << c.what;
  }
}

TEST_F(DeviceProtocolTest, AnEmptyFirstReadingEndsTheImageRead) {
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(link_->ReadImage(buffer), 0);
  EXPECT_EQ(port_->Exchange(),
            Join({OpenAt(4800), {"read 200", "write 1b 55", "read 200", "close"}}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(DeviceProtocolTest, ImageWriteSendsHeaderAndImageInOneOpeningThenVerifies) {
  const ByteVector image = Image();
  port_->replies = {{}, {}, {image}};  // write drain, read-back drain, read-back
  EXPECT_FALSE(link_->WriteImage(image));
  std::string imageHex;
  for (std::uint8_t byte : image) {
    char text[4];
    std::snprintf(text, sizeof text, " %02x", byte);
    imageHex += text;
  }
  EXPECT_EQ(port_->Exchange(),
            Join({OpenAt(4800),
                  {"read 100", "write 1b 44 aa 55" + imageHex, "close", "pause 50"},
                  OpenAt(4800),
                  {"read 200", "write 1b 55", "read 200", "close"}}));
  EXPECT_EQ(port_->pausedMs, 10 * (4 + 128) + 50 + 10 * 2);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(DeviceProtocolTest, WhatTheReadBackDecides) {
  const ByteVector image = Image();
  ByteVector changed = image;
  changed[0] ^= 0x80;
  ByteVector longer = image;
  longer.insert(longer.end(), {1, 2});
  struct Case {
    const char* what;
    std::vector<Reply> replies;  // write drain, then drain and reply per read-back
    Lines messages;
    int readBacks;
  };
  const Case cases[] = {
      {"same bytes", {{}, {}, {image}}, {}, 1},
      {"empty, then the image on the one retry", {{}, {}, {}, {}, {image}}, {}, 2},
      {"empty twice", {{}, {}, {}, {}, {}}, {"Write Failed (code 128 0)"}, 2},
      {"one byte differs", {{}, {}, {changed}}, {"Write Failed"}, 1},
      {"130 bytes", {{}, {}, {longer}}, {"Write Failed (code 128 130)"}, 1},
      {"127 bytes", {{}, {}, {Image(127)}}, {"Write Failed (code 128 127)"}, 1},
  };
  for (const Case& c : cases) {
    port_->log.clear();
    boxes_.shown.clear();
    port_->replies.assign(c.replies.begin(), c.replies.end());
    EXPECT_EQ(link_->WriteImage(image), !c.messages.empty()) << c.what;
    EXPECT_EQ(Shown(), c.messages) << c.what;
    EXPECT_EQ(std::count(port_->log.begin(), port_->log.end(), "open COM1"), c.readBacks + 1)
        << c.what;  // the write command and each read-back
  }
}

TEST_F(DeviceProtocolTest, AWriteThatFailsIsNotReadBack) {
  port_->writeResults.assign(60, 1);
  port_->writeResults.push_back(std::nullopt);  // the device vanishes mid-image
  EXPECT_TRUE(link_->WriteImage(Image()));
  EXPECT_EQ(Shown(), Lines{"ComPort write failed"});
  EXPECT_EQ(port_->log.back(), "close");
  EXPECT_EQ(std::count(port_->log.begin(), port_->log.end(), "open COM1"), 1);
  EXPECT_FALSE(link_->IsOpen());
}

TEST_F(DeviceProtocolTest, ToneStopsFirstThenSendsTheCodeWithoutReading) {
  struct Case {
    std::uint8_t code;
    std::string second;
  };
  for (const Case& c : {Case{'1', "write 1b 1b 31"}, Case{'2', "write 1b 1b 32"},
                        Case{'3', "write 1b 1b 33"}, Case{'x', "write 1b 1b 78"}}) {
    port_->log.clear();
    EXPECT_FALSE(link_->SendTone(c.code));
    EXPECT_EQ(port_->Exchange(),
              Join({OpenAt(4800), {"write 1b 1b 78", "pause 50", c.second, "close"}}));
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(DeviceProtocolTest, AFailedStepClosesThePortAndStops) {
  port_->writeResults = {1, std::nullopt};
  EXPECT_TRUE(link_->SendTone('3'));
  EXPECT_EQ(port_->Exchange(), Join({OpenAt(4800), {"write 1b", "write 1b failed", "close"}}));
  EXPECT_EQ(Shown(), Lines{"ComPort write failed"});

  // A close that fails after a reply turns the reply into a failure.
  boxes_.shown.clear();
  port_->replies = {{}, {Image()}};
  port_->closeResults = {false};
  std::array<std::uint8_t, 200> buffer{};
  EXPECT_EQ(link_->SendReadCommand(buffer), 0);
  EXPECT_EQ(Shown(), Lines{"ComPort Close failed"});
  EXPECT_TRUE(link_->IsOpen());
}

}  // namespace
}  // namespace korvaset
