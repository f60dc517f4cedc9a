// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Which items are enabled, the interlocks, the tone captions and when they are refreshed.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "files/config_file.h"
#include "form_fixture.h"
#include "support/temp_dir.h"

namespace korvaset {
namespace {

constexpr std::initializer_list<int> kSmartBeaconingEdits{
    kIdSbSlowSpeed,    kIdSbSlowRate,  kIdSbFastSpeed,   kIdSbFastRate,
    kIdSbMinTurnAngle, kIdSbTurnSlope, kIdSbMinTurnTime,
};

bool AllEnabled(const FormFixture& f, std::initializer_list<int> ids, bool enabled) {
  for (const int id : ids) {
    if (f.Enabled(id) != enabled) return false;
  }
  return true;
}

TEST(ControlStatesTest, StartsWithTheDefaultsStates) {
  FormFixture f;
  EXPECT_TRUE(AllEnabled(f, kSmartBeaconingEdits, false));
  EXPECT_TRUE(AllEnabled(
      f, {kIdAutoTxRate, kIdForcePrintable, kIdMicEMessage, kIdMicEPath, kIdWaypointChars}, true));
  EXPECT_TRUE(AllEnabled(f, {kIdSlotOffset, kIdPowerSwitchTime}, false));
  EXPECT_EQ(f.Text(kIdSendLowTone), "Send 1200 Hz");
}

TEST(ControlStatesTest, SmartBeaconingAndTimeSlottingExcludeEachOther) {
  FormFixture f;
  f.Click(kIdTimeSlottingEnable);
  EXPECT_TRUE(f.Enabled(kIdSlotOffset));
  f.Click(kIdSmartBeaconingEnable);
  EXPECT_FALSE(f.Checked(kIdTimeSlottingEnable));
  EXPECT_TRUE(AllEnabled(f, kSmartBeaconingEdits, true));
  EXPECT_TRUE(AllEnabled(f, {kIdAutoTxRate, kIdSlotOffset}, false));

  f.Click(kIdSmartBeaconingEnable);  // off again
  EXPECT_TRUE(AllEnabled(f, kSmartBeaconingEdits, false));
  EXPECT_TRUE(f.Enabled(kIdAutoTxRate));
  EXPECT_FALSE(f.Checked(kIdTimeSlottingEnable));

  f.Click(kIdSmartBeaconingEnable);
  f.Click(kIdTimeSlottingEnable);
  EXPECT_FALSE(f.Checked(kIdSmartBeaconingEnable));
  EXPECT_TRUE(AllEnabled(f, kSmartBeaconingEdits, false));
}

TEST(ControlStatesTest, SendNmeaAndMicEExcludeEachOther) {
  FormFixture f;  // MIC-E and Send Altitude start checked
  f.Click(kIdSendNmea);
  EXPECT_FALSE(f.Checked(kIdMicEEnable));
  EXPECT_FALSE(f.Checked(kIdSendAltitude));
  EXPECT_TRUE(AllEnabled(f, {kIdForcePrintable, kIdMicEMessage, kIdMicEPath}, false));

  f.Click(kIdSendAltitude);  // no handler: both stay checked
  EXPECT_TRUE(f.Checked(kIdSendAltitude) && f.Checked(kIdSendNmea));
  f.Click(kIdMicEEnable);
  EXPECT_FALSE(f.Checked(kIdSendNmea));
  EXPECT_TRUE(f.Checked(kIdSendAltitude));
  EXPECT_TRUE(AllEnabled(f, {kIdForcePrintable, kIdMicEMessage, kIdMicEPath}, true));
}

TEST(ControlStatesTest, TimestampsExcludeEachOther) {
  FormFixture f;
  f.Click(kIdTimestampDhm);
  f.Click(kIdTimestampHms);
  EXPECT_FALSE(f.Checked(kIdTimestampDhm));
  EXPECT_TRUE(f.Checked(kIdTimestampHms));
  f.Click(kIdTimestampDhm);
  EXPECT_FALSE(f.Checked(kIdTimestampHms));
  f.Click(kIdTimestampDhm);
  EXPECT_FALSE(f.Checked(kIdTimestampDhm) || f.Checked(kIdTimestampHms));
}

TEST(ControlStatesTest, GroupSwitchesEnableTheirFields) {
  FormFixture f;
  f.Click(kIdPowerSwitchEnable);
  EXPECT_TRUE(f.Enabled(kIdPowerSwitchTime));
  f.Click(kIdWaypointEnable);
  EXPECT_FALSE(f.Enabled(kIdWaypointChars));
}

TEST(ControlStatesTest, ToneCaptionsFollowTheRecord) {
  FormFixture f;
  const auto captions = [&f] { return f.Text(kIdSendLowTone) + "/" + f.Text(kIdSendHighTone); };
  f.Click(kIdBaud300);
  EXPECT_EQ(captions(), "Send 1200 Hz/Send 2200 Hz");
  f.SwitchTab(1);
  EXPECT_EQ(captions(), "Send 1200 Hz/Send 2200 Hz");
  f.SwitchTab(0);
  EXPECT_EQ(captions(), "Send 1600 Hz/Send 1800 Hz");
}

TEST(ControlStatesTest, ShowsARecordThatBreaksTheInterlocksAsItIs) {
  FormFixture f;
  f.Record().smartBeaconing[0] = 1;
  f.Record().timeSlotting[0] = 1;
  f.Record().sendNmea[0] = 1;  // with micE still set
  f.form.CopyRecordToForm();
  EXPECT_TRUE(f.Checked(kIdSmartBeaconingEnable) && f.Checked(kIdTimeSlottingEnable));
  EXPECT_TRUE(f.Checked(kIdMicEEnable) && f.Checked(kIdSendNmea));
  EXPECT_TRUE(AllEnabled(f, kSmartBeaconingEdits, true));
  EXPECT_TRUE(f.Enabled(kIdSlotOffset));
  EXPECT_FALSE(f.Enabled(kIdAutoTxRate));
}

TEST(ControlStatesTest, StoresDisabledValues) {
  FormFixture f;
  EXPECT_FALSE(f.Enabled(kIdSbSlowRate));
  f.Type(kIdSbSlowRate, "600");
  f.form.CopyFormToRecord();
  EXPECT_EQ(f.Record().sbSlowRate[0], 600);
}

// The tracker's replies, in the order the link reads them.
std::vector<ScriptedSerialPort::Reply> Found() {
  return {{}, {Bytes("Korvalink 1.0")}};  // drain, banner
}

std::vector<std::uint8_t> DefaultImage() {
  ConfigRecord record;
  std::array<std::uint8_t, kImageBufferSize> image{};
  record.EncodeImage(image);
  return {image.begin(), image.begin() + kImageSize};
}

TEST(ControlStatesTest, RefreshesAtItsPoints) {
  testing::TempDir dir;
  const std::string saved = dir.Path("saved.kvc");
  ConfigRecord defaults;
  ASSERT_FALSE(SaveConfigFile(defaults, saved));
  EXPECT_EQ(FormFixture().Refreshes(), 2);  // at the start
  struct Case {
    const char* what;
    std::function<void(FormFixture&)> act;
    int refreshes;
  };
  const auto script = [](FormFixture& f, std::vector<ScriptedSerialPort::Reply> replies) {
    f.scripted->replies.assign(replies.begin(), replies.end());
  };
  const auto press = [](int id) { return [id](FormFixture& f) { f.Press(id); }; };
  const Case cases[] = {
      {"tab switch", [](FormFixture& f) { f.SwitchTab(1); }, 2},
      {"Read Version, not found", press(kIdReadVersion), 1},
      {"Read Config, not found", press(kIdReadConfig), 1},
      {"Read Config, success",
       [&](FormFixture& f) {
         auto replies = Found();
         replies.insert(replies.end(), {{}, {DefaultImage()}, {}, {DefaultImage()}});
         script(f, replies);
         f.Press(kIdReadConfig);
       },
       2},
      {"Write Config, not found", press(kIdWriteConfig), 0},
      {"Write Config, success",
       [&](FormFixture& f) {
         auto replies = Found();
         replies.insert(replies.end(), {{}, {}, {DefaultImage()}});
         script(f, replies);
         f.Press(kIdWriteConfig);
       },
       2},
      {"a tone", press(kIdSendBothTones), 0},
      {"Save", [&](FormFixture& f) { f.dialogs.answers = {saved}, f.Press(kIdSaveConfig); }, 0},
      {"Load, failed",
       [&](FormFixture& f) { f.dialogs.answers = {dir.Path("none")}, f.Press(kIdLoadConfig); }, 0},
      {"Load", [&](FormFixture& f) { f.dialogs.answers = {saved}, f.Press(kIdLoadConfig); }, 1},
      {"interlock", [](FormFixture& f) { f.Click(kIdMicEEnable); }, 1},
      {"group switch", [](FormFixture& f) { f.Click(kIdWaypointEnable); }, 1},
      {"timestamp", [](FormFixture& f) { f.Click(kIdTimestampHms); }, 0},
      {"a box without handler", [](FormFixture& f) { f.Click(kIdBaud300); }, 0},
  };
  for (const Case& c : cases) {
    FormFixture f;
    const int before = f.Refreshes();
    c.act(f);
    EXPECT_EQ(f.Refreshes() - before, c.refreshes) << c.what;
  }
}

}  // namespace
}  // namespace korvaset
