// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Save and Load through scripted file dialogs, with real files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"
#include "support/temp_dir.h"

namespace korvaset {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using Lines = std::vector<std::string>;

TEST(FileCommandsTest, SaveAsksForAPathAndStoresTheFormWithoutARefresh) {
  TempDir dir;
  FormFixture f;
  f.dialogs.answers = {dir.Path("one.kvc")};
  f.Type(kIdCallsign, "K1ABC");
  f.Click(kIdBaud300);
  const int refreshes = f.Refreshes();

  f.Press(kIdSaveConfig);
  ASSERT_EQ(f.dialogs.kinds, Lines{"save"});
  const FileDialogRequest& asked = f.dialogs.requests.front();
  EXPECT_EQ(asked.title, "Save Config File");
  EXPECT_EQ(asked.initialName, "config1.kvc");
  EXPECT_EQ(asked.defaultSuffix, "kvc");
  EXPECT_EQ(asked.filter, "Korvalink Config files|*.kvc||");
  EXPECT_TRUE(f.boxes.shown.empty());
  const std::string file = ReadFileBytes(dir.Path("one.kvc"));
  EXPECT_EQ(file.size(), 136u);
  EXPECT_EQ(file.substr(0, 8), std::string("KVLA\x80\0\0\0", 8));
  EXPECT_EQ(Stored(f.Record().callsign[0]), "K1ABC");
  EXPECT_EQ(f.Record().baud300[0], 1);
  EXPECT_EQ(f.Refreshes(), refreshes);
  EXPECT_EQ(f.Text(kIdSendLowTone), "Send 1200 Hz");
}

TEST(FileCommandsTest, LoadOnTheSecondaryTabReplacesBothProfiles) {
  TempDir dir;
  FormFixture f;
  f.Type(kIdCallsign, "PRIME-1");
  f.SwitchTab(1);  // stores the Primary items
  f.Type(kIdCallsign, "SECOND-2");
  f.Type(kIdManualTxRate, "45");
  f.dialogs.answers = {dir.Path("both.kvc")};
  f.Press(kIdSaveConfig);

  f.Type(kIdCallsign, "CHANGED");
  f.SwitchTab(0);
  f.Type(kIdCallsign, "ALSO-1");
  f.SwitchTab(1);
  f.items.SelectListEntry(kIdPortList, 2);
  f.dialogs.answers = {dir.Path("both.kvc")};
  f.Press(kIdLoadConfig);

  ASSERT_EQ(f.dialogs.kinds, (Lines{"save", "open"}));
  const FileDialogRequest& asked = f.dialogs.requests.back();
  EXPECT_EQ(asked.title, "Load Config File");
  EXPECT_EQ(asked.initialName, "");
  EXPECT_EQ(asked.defaultSuffix, "kvc");
  EXPECT_EQ(asked.filter, f.dialogs.requests.front().filter);
  EXPECT_TRUE(f.boxes.shown.empty());
  EXPECT_EQ(f.items.SelectedTab(kIdProfileTabs), 1);
  EXPECT_EQ(f.Text(kIdCallsign), "SECOND-2");
  EXPECT_EQ(f.Text(kIdManualTxRate), "45");
  EXPECT_EQ(Stored(f.Record().callsign[0]), "PRIME-1");
  EXPECT_EQ(f.Text(kIdPortList), "COM3");
}

TEST(FileCommandsTest, LoadThatFailsLeavesTheForm) {
  const std::string header("KVLA\x80\0\0\0", 8);
  struct Case {
    std::string content;  // empty: no such file
    std::string shown;
  };
  const Case cases[] = {
      {"", "Load Failed: Failed to open file"},
      {"KVLB" + header.substr(4) + std::string(128, '\0'), "Load Failed: Invalid File Format"},
      {header + std::string(92, '\0'), "Load Failed: Failed to read data"},
      {header + std::string(128, '\xff'), "Load Failed: Import Failed"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.Path("bad.kvc");
    if (!c.content.empty()) WriteFileBytes(path, c.content);
    FormFixture f;
    f.Type(kIdCallsign, "K1ABC");  // not in the record yet
    const int refreshes = f.Refreshes();
    f.dialogs.answers = {path};

    f.Press(kIdLoadConfig);
    ASSERT_FALSE(f.Shown().empty());
    EXPECT_EQ(f.Shown().back(), c.shown);
    EXPECT_EQ(f.Text(kIdCallsign), "K1ABC");
    EXPECT_EQ(f.Record(), ConfigRecord());
    EXPECT_EQ(f.Refreshes(), refreshes);
  }
}

TEST(FileCommandsTest, SaveThatFailsKeepsTheFormInTheRecord) {
  TempDir dir;
  FormFixture f;
  f.Type(kIdCallsign, "K1ABC");
  f.dialogs.answers = {dir.Path("no-such-folder/one.kvc")};

  f.Press(kIdSaveConfig);
  EXPECT_EQ(f.Shown(), Lines{"Save Failed: Failed to open file"});
  // The form was stored before the file was opened.
  EXPECT_EQ(Stored(f.Record().callsign[0]), "K1ABC");
  EXPECT_EQ(f.Text(kIdCallsign), "K1ABC");
}

TEST(FileCommandsTest, ACancelledDialogChangesNothing) {
  FormFixture f;
  f.Type(kIdCallsign, "K1ABC");
  f.Press(kIdSaveConfig);
  f.Press(kIdLoadConfig);
  EXPECT_EQ(f.dialogs.kinds, (Lines{"save", "open"}));
  EXPECT_TRUE(f.boxes.shown.empty());
  EXPECT_EQ(f.Record(), ConfigRecord());  // the save didn't store the form
  EXPECT_EQ(f.Text(kIdCallsign), "K1ABC");
}

}  // namespace
}  // namespace korvaset
