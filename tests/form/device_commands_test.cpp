// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The device buttons over a scripted port: the exchange, the reports and what the form
// keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace korvaset {
namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Opened(const ScriptedSerialPort& port) {
  std::vector<std::string> opened;
  for (const std::string& line : port.log) {
    if (line.starts_with("open ")) opened.push_back(line);
  }
  return opened;
}

TEST(DeviceCommandsTest, ShowsTheBusyCursorWhileTheLinkWorks) {
  for (const int button : {kIdReadVersion, kIdReadConfig, kIdWriteConfig, kIdSendBothTones}) {
    FormFixture f;  // a silent tracker: every command runs into its time-outs
    f.Press(button);
    const Lines& log = f.scripted->log;
    ASSERT_GT(log.size(), 2u) << button;
    EXPECT_EQ(log.front(), "cursor busy") << button;
    EXPECT_EQ(log.back(), "cursor back") << button;
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return line.starts_with("cursor"); }),
              2)
        << button;
  }
}

TEST(DeviceCommandsTest, ShowsTheLatin1BannerInUtf8) {
  FormFixture f;
  f.scripted->replies = {{}, {Bytes("Korvalink \xe9t\xe9\x01")}};
  f.Press(kIdReadVersion);
  EXPECT_EQ(f.Shown(), Lines{"Korvalink Version: Korvalink \xc3\xa9t\xc3\xa9\x01"});
}

// The port is the entry that the list's field shows, typed or picked, at every press.
TEST(DeviceCommandsTest, ThePortIsTheEntryTheFieldShows) {
  FormFixture f;
  f.items.SelectListEntry(kIdPortList, 4);
  f.Press(kIdStopSending);
  f.Type(kIdPortList, "com3");  // the list keeps COM5 selected
  f.Press(kIdStopSending);
  for (const char* typed : {"COM9", ""}) {
    f.Type(kIdPortList, typed);
    f.Press(kIdStopSending);
  }
  EXPECT_EQ(Opened(*f.scripted), (Lines{"open COM5", "open COM3"}));
  EXPECT_EQ(f.Shown(), Lines(2, "Error: Invalid Com Port Number"));
}

TEST(DeviceCommandsTest, EachToneButtonSendsItsCodeAndNothingElse) {
  for (const auto& [button, code] :
       {std::pair{kIdSendLowTone, '1'}, std::pair{kIdSendHighTone, '2'},
        std::pair{kIdSendBothTones, '3'}, std::pair{kIdStopSending, 'x'}}) {
    FormFixture f;
    f.Record().baud300[0] = 1;  // the captions change; the codes don't
    f.form.CopyRecordToForm();
    const int refreshes = f.Refreshes();
    f.Press(button);
    EXPECT_EQ(f.scripted->written,
              (std::vector<std::uint8_t>{0x1b, 0x1b, 'x', 0x1b, 0x1b, std::uint8_t(code)}));
    EXPECT_TRUE(f.boxes.shown.empty());
    EXPECT_EQ(f.Refreshes(), refreshes);
  }
}

TEST(DeviceCommandsTest, AShortImageReadTwiceAlikeFails) {
  FormFixture f;
  const std::vector<std::uint8_t> image(127, 0x40);
  f.scripted->replies = {{}, {Bytes("Korvalink 1.0")}, {}, {image}, {}, {image}};
  f.Type(kIdCallsign, "K1ABC");
  f.Press(kIdReadConfig);
  EXPECT_EQ(f.Shown(), Lines{"Korvalink Read: Read Failed"});
  EXPECT_EQ(f.Record(), ConfigRecord());
  EXPECT_EQ(f.Text(kIdCallsign), "K1ABC");
}

TEST(DeviceCommandsTest, ReportsAPortThatIsNotThere) {
  const Lines invalid{"Error: Invalid Com Port Number", "Error: Invalid Com Port Number",
                      "Error: Korvalink Not Found"};
  const Lines absent{"Error: Could not aquire Com Port", "Error: Could not aquire Com Port",
                     "Error: Korvalink Not Found"};
  struct Case {
    int button;
    bool noSelection;  // else COM1 can't be opened
    Lines shown;
    int refreshes;
  };
  const Case cases[] = {
      {kIdReadVersion, true, invalid, 1},
      {kIdReadConfig, true, invalid, 1},
      {kIdWriteConfig, true, invalid, 0},
      {kIdReadConfig, false, absent, 1},
      {kIdWriteConfig, false, absent, 0},
      {kIdSendLowTone, true, {"Error: Invalid Com Port Number"}, 0},
      {kIdStopSending, false, {"Error: Could not aquire Com Port"}, 0},
  };
  for (const Case& c : cases) {
    FormFixture f;
    if (c.noSelection) f.items.SelectListEntry(kIdPortList, -1);
    f.scripted->openResults = {false, false};
    f.Type(kIdCallsign, "K1ABC");
    const int refreshes = f.Refreshes();
    f.Press(c.button);
    EXPECT_EQ(f.Shown(), c.shown) << c.button;
    EXPECT_EQ(f.Refreshes() - refreshes, c.refreshes) << c.button;
    EXPECT_EQ(f.Text(kIdCallsign), "K1ABC");
    EXPECT_EQ(f.form.Link().PortNumber(), c.noSelection ? 0 : 1);
  }
}

TEST(DeviceCommandsTest, EmergencyInTheHiddenProfileAsksAndCancelSendsNothing) {
  FormFixture f;
  f.SwitchTab(1);
  f.items.SelectListEntry(kIdMicEMessage, 7);
  f.Click(kIdMicEEnable);  // MIC-E off: the question comes all the same
  f.SwitchTab(0);
  f.Type(kIdCallsign, "K1ABC");
  f.boxes.answers = {MessageAnswer::kCancel};
  const int refreshes = f.Refreshes();

  f.Press(kIdWriteConfig);
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown.front(),
            (Message{.text = "You are about to configure your Korvalink with the ability to send "
                             "an EMERGENCY MIC-E beacon.  Are you sure you want to do this?",
                     .caption = "Korvalink Write",
                     .buttons = MessageButtons::kOkCancel,
                     .defaultButton = MessageAnswer::kCancel}));
  EXPECT_TRUE(f.scripted->log.empty());  // not even the busy cursor
  EXPECT_EQ(Stored(f.Record().callsign[0]), "K1ABC");
  EXPECT_EQ(f.Refreshes(), refreshes);
}

TEST(DeviceCommandsTest, AConfigurationTooLargeIsNeverSent) {
  FormFixture f;
  f.Type(kIdDigiPath, "WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4,WIDE5-5,WIDE6-6,WIDE7-7");
  f.SwitchTab(1);
  f.Type(kIdCallsign, "SECOND-2");
  f.Type(kIdDigiPath, "RELAY,WIDE1-1,WIDE2-2,WIDE3-3,WIDE4-4,WIDE5-5,WIDE6-6");

  f.Press(kIdWriteConfig);
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown.front().caption, "Configuration Too Large");
  EXPECT_TRUE(Opened(*f.scripted).empty());
}

}  // namespace
}  // namespace korvaset
