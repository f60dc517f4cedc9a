// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The transfers between the items and the record, the tab switch and the level spins.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "form_fixture.h"

namespace korvaset {
namespace {

// Each number field and the record field it must land in, written out apart from the form.
struct NumberCase {
  int id;
  PerProfile<int> ConfigRecord::*field;
};
constexpr std::array kNumberCases{
    NumberCase{kIdAutoTxDelay, &ConfigRecord::autoTxDelay},
    NumberCase{kIdAutoTxRate, &ConfigRecord::autoTxRate},
    NumberCase{kIdManualTxDelay, &ConfigRecord::manualTxDelay},
    NumberCase{kIdManualTxRate, &ConfigRecord::manualTxRate},
    NumberCase{kIdQuietTime, &ConfigRecord::quietTime},
    NumberCase{kIdStatusEvery, &ConfigRecord::statusEvery},
    NumberCase{kIdTelemetryRate, &ConfigRecord::telemetryRate},
    NumberCase{kIdSlotOffset, &ConfigRecord::slotOffset},
    NumberCase{kIdSbSlowSpeed, &ConfigRecord::sbSlowSpeed},
    NumberCase{kIdSbSlowRate, &ConfigRecord::sbSlowRate},
    NumberCase{kIdSbFastSpeed, &ConfigRecord::sbFastSpeed},
    NumberCase{kIdSbFastRate, &ConfigRecord::sbFastRate},
    NumberCase{kIdSbMinTurnAngle, &ConfigRecord::sbMinTurnAngle},
    NumberCase{kIdSbTurnSlope, &ConfigRecord::sbTurnSlope},
    NumberCase{kIdSbMinTurnTime, &ConfigRecord::sbMinTurnTime},
    NumberCase{kIdPowerSwitchTime, &ConfigRecord::powerSwitchTime},
};

struct FlagCase {
  int id;
  PerProfile<Flag> ConfigRecord::*field;
};
constexpr std::array kFlagCases{
    FlagCase{kIdSendAltitude, &ConfigRecord::sendAltitude},
    FlagCase{kIdSendNmea, &ConfigRecord::sendNmea},
    FlagCase{kIdSkipStartPacket, &ConfigRecord::skipStartPacket},
    FlagCase{kIdOnlySendValid, &ConfigRecord::onlySendValid},
    FlagCase{kIdNoTxOnPttIn, &ConfigRecord::noTxOnPttIn},
    FlagCase{kIdSerialOutHigh, &ConfigRecord::serialOutHigh},
    FlagCase{kIdGps9600, &ConfigRecord::gps9600},
    FlagCase{kIdAlternateDigiPaths, &ConfigRecord::alternateDigiPaths},
    FlagCase{kIdInvertCdIn, &ConfigRecord::invertCdIn},
    FlagCase{kIdBaud300, &ConfigRecord::baud300},
    FlagCase{kIdSendSeparate, &ConfigRecord::sendSeparate},
    FlagCase{kIdNoGtPrefix, &ConfigRecord::noGtPrefix},
    FlagCase{kIdSendAfterPosition, &ConfigRecord::sendAfterPosition},
    FlagCase{kIdSendVoltage, &ConfigRecord::sendVoltage},
    FlagCase{kIdSendTemp, &ConfigRecord::sendTemp},
    FlagCase{kIdMicEEnable, &ConfigRecord::micE},
    FlagCase{kIdForcePrintable, &ConfigRecord::forcePrintable},
    FlagCase{kIdTimeSlottingEnable, &ConfigRecord::timeSlotting},
    FlagCase{kIdSmartBeaconingEnable, &ConfigRecord::smartBeaconing},
    FlagCase{kIdPowerSwitchEnable, &ConfigRecord::powerSwitch},
};

TEST(SettingsFormTest, StartsWithTheDefaults) {
  FormFixture f;
  EXPECT_EQ(f.Text(kIdPortList), "COM1");
  EXPECT_EQ(f.items.tabs, (std::vector<std::string>{"Primary", "Secondary"}));
  EXPECT_EQ(f.Record().visibleProfile, 0);
  EXPECT_EQ(f.Text(kIdCallsign), "NOCALL");
  // What the form shows of the defaults stores as the defaults.
  f.form.CopyFormToRecord();
  EXPECT_EQ(f.Record(), ConfigRecord());
}

TEST(SettingsFormTest, EveryNumberFieldHasItsOwnRecordField) {
  FormFixture f;
  f.SwitchTab(1);
  for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
    f.Type(kNumberCases[i].id, std::to_string(1000 + i));
  }
  f.form.CopyFormToRecord();
  for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
    const auto& field = f.Record().*kNumberCases[i].field;
    EXPECT_EQ(field[1], static_cast<int>(1000 + i)) << kNumberCases[i].id;
    EXPECT_EQ(field[0], (ConfigRecord().*kNumberCases[i].field)[0]) << kNumberCases[i].id;
  }
  // And back: each field shows its own value.
  for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
    (f.Record().*kNumberCases[i].field)[1] = static_cast<int>(2000 + i);
  }
  f.form.CopyRecordToForm();
  for (std::size_t i = 0; i < kNumberCases.size(); ++i) {
    EXPECT_EQ(f.Text(kNumberCases[i].id), std::to_string(2000 + i)) << kNumberCases[i].id;
  }
}

TEST(SettingsFormTest, EveryCheckBoxHasItsOwnFlag) {
  for (const FlagCase& flag : kFlagCases) {
    FormFixture f;
    f.items.checked[flag.id] = !f.Checked(flag.id);
    ConfigRecord expected;
    (expected.*flag.field)[0] ^= 1;
    f.form.CopyFormToRecord();
    EXPECT_EQ(f.Record(), expected) << flag.id;

    f.Record() = ConfigRecord();
    (f.Record().*flag.field)[0] ^= 1;
    f.form.CopyRecordToForm();
    for (const FlagCase& other : kFlagCases) {
      EXPECT_EQ(f.Checked(other.id), (f.Record().*other.field)[0] != 0) << flag.id;
    }
  }
}

TEST(SettingsFormTest, ReadsTypedNumbersLeniently) {
  struct Case {
    const char* typed;
    int stored;
    const char* shownAgain;
  };
  for (const Case& c : {Case{"12abc", 12, "12"}, Case{"abc", 0, "0"}, Case{"", 0, "0"},
                        Case{" -5", -5, "-5"}, Case{"99999999999", INT_MAX, "2147483647"}}) {
    FormFixture f;
    f.Type(kIdQuietTime, c.typed);
    f.SwitchThereAndBack();
    EXPECT_EQ(f.Record().quietTime[0], c.stored) << c.typed;
    EXPECT_EQ(f.Text(kIdQuietTime), c.shownAgain) << c.typed;
  }
}

TEST(SettingsFormTest, CutsTexts) {
  FormFixture f;
  f.Type(kIdStatusText, std::string(100, 's'));
  f.Type(kIdCallsign, std::string(30, 'C'));
  f.Type(kIdDigiPath, std::string(90, 'P'));
  f.form.CopyFormToRecord();
  EXPECT_EQ(Stored(f.Record().statusText[0]), std::string(78, 's'));
  EXPECT_EQ(Stored(f.Record().callsign[0]), std::string(19, 'C'));
  EXPECT_EQ(Stored(f.Record().digiPath[0]), std::string(78, 'P'));
}

TEST(SettingsFormTest, StoresTheFirstCharacterOfASymbol) {
  FormFixture f;
  f.Type(kIdSymbol, "ab");
  f.Type(kIdSymbolTable, "");
  f.SwitchThereAndBack();
  EXPECT_EQ(f.Record().symbol[0], 'a');
  EXPECT_EQ(f.Record().symbolTable[0], '\0');
  EXPECT_EQ(f.Text(kIdSymbol), "a");
  EXPECT_EQ(f.Text(kIdSymbolTable), "");
}

TEST(SettingsFormTest, TheWaypointCountIsItsOwnSwitch) {
  struct Case {
    bool enable;
    const char* typed;
    int stored;
    bool enabledAgain;
  };
  for (const Case& c :
       {Case{true, "12", 12, true}, Case{true, "0", 0, false}, Case{false, "12", 0, false}}) {
    FormFixture f;
    if (f.Checked(kIdWaypointEnable) != c.enable) f.Click(kIdWaypointEnable);
    f.Type(kIdWaypointChars, c.typed);
    f.SwitchThereAndBack();
    EXPECT_EQ(f.Record().waypointChars[0], c.stored) << c.enable << c.typed;
    EXPECT_EQ(f.Checked(kIdWaypointEnable), c.enabledAgain) << c.enable << c.typed;
    EXPECT_EQ(f.Text(kIdWaypointChars), std::to_string(c.stored));
  }
}

TEST(SettingsFormTest, ShowsAndStoresTimestamps) {
  struct Case {
    Flag timestamp, hms;
    bool dhmBox, hmsBox;
    Flag hmsStored;
  };
  for (const Case& c : {Case{0, 0, false, false, 0}, Case{0, 1, false, false, 0},
                        Case{1, 0, true, false, 0}, Case{1, 1, false, true, 1}}) {
    FormFixture f;
    f.Record().timestamp[0] = c.timestamp;
    f.Record().timestampHms[0] = c.hms;
    f.form.CopyRecordToForm();
    EXPECT_EQ(f.Checked(kIdTimestampDhm), c.dhmBox);
    EXPECT_EQ(f.Checked(kIdTimestampHms), c.hmsBox);
    f.form.CopyFormToRecord();
    EXPECT_EQ(f.Record().timestamp[0], c.timestamp);
    EXPECT_EQ(f.Record().timestampHms[0], c.hmsStored);
  }
}

// Typed text names an entry only when it matches one, ignoring case, whether the toolkit
// keeps the entry picked before the typing (Qt) or drops it (Win32).
TEST(SettingsFormTest, StoresTypedListTextByTheRules) {
  struct Case {
    int id;
    const char* typed;
    int stored;
  };
  for (const int kept : {3, -1}) {
    for (const Case& c :
         {Case{kIdMicEPath, "WIDE9", -1}, Case{kIdMicEPath, "", -1},
          Case{kIdMicEPath, "west+wide", 15}, Case{kIdMicEPath, "WIDE-3", 3},
          Case{kIdMicEMessage, "Lunch", 0}, Case{kIdMicEMessage, "Emergency!", 7}}) {
      FormFixture f;
      f.items.SelectListEntry(c.id, 2);  // an entry chosen before the typing
      f.Type(c.id, c.typed);
      f.items.selection[c.id] = kept;
      f.form.CopyFormToRecord();
      const ConfigRecord& record = f.Record();
      EXPECT_EQ(c.id == kIdMicEPath ? record.micEPath[0] : record.micEMessage[0], c.stored)
          << c.typed << " kept " << kept;
    }
  }
}

TEST(SettingsFormTest, ShowsAListIndexOutsideTheListAsAnEmptyField) {
  FormFixture f;
  f.Record().micEPath[0] = 16;
  f.Record().micEMessage[0] = -1;
  f.form.CopyRecordToForm();
  EXPECT_EQ(f.items.ListSelection(kIdMicEPath), -1);
  EXPECT_EQ(f.Text(kIdMicEPath), "");
  EXPECT_EQ(f.Text(kIdMicEMessage), "");
  f.Record().micEPath[0] = 2;
  f.form.CopyRecordToForm();
  EXPECT_EQ(f.Text(kIdMicEPath), "WIDE-2");
}

TEST(SettingsFormTest, StepsLevelsWithTheArrows) {
  struct Case {
    const char* typed;
    int delta;
    const char* shown;
  };
  const struct {
    int edit;
    int spin;
    const char* initial;
  } levels[] = {{kIdRxLevel, kIdRxLevelSpin, "100"},
                {kIdTxLevel, kIdTxLevelSpin, "100"},
                {kIdTxTwist, kIdTxTwistSpin, "50"}};
  for (const Case& c : {Case{"100", +1, "100"}, Case{"abc", +1, "1"}, Case{"150", -1, "100"},
                        Case{"0", -1, "0"}, Case{"-5", +1, "0"}, Case{"99999999999", +1, "100"},
                        Case{"-99999999999", -1, "0"}, Case{"41", +1, "42"}}) {
    for (const auto& level : levels) {
      FormFixture f;
      f.Type(level.edit, c.typed);
      EXPECT_TRUE(f.form.OnSpin(level.spin, c.delta));
      EXPECT_EQ(f.Text(level.edit), c.shown) << c.typed << " at " << level.edit;
      // The arrows change the edit alone: the record learns at the next transfer.
      EXPECT_EQ(f.Record(), ConfigRecord());
      for (const auto& other : levels) {
        if (other.edit != level.edit) {
          EXPECT_EQ(f.Text(other.edit), other.initial);
        }
      }
    }
  }
}

TEST(SettingsFormTest, SharesTheLevelsBetweenTabs) {
  FormFixture f;
  f.SwitchTab(1);
  f.Type(kIdTxLevel, "37");
  f.SwitchTab(0);
  EXPECT_EQ(f.Text(kIdTxLevel), "37");
  EXPECT_EQ(f.Record().txLevel, 37);
}

TEST(SettingsFormTest, KeepsEachProfileApart) {
  FormFixture f;
  f.Type(kIdCallsign, "N0ONE");
  f.SwitchTab(1);
  EXPECT_EQ(f.Text(kIdCallsign), "NOCALL");
  EXPECT_EQ(f.Record().visibleProfile, 1);
  f.Type(kIdCallsign, "N0TWO");
  f.SwitchTab(0);
  EXPECT_EQ(f.Text(kIdCallsign), "N0ONE");
  EXPECT_EQ(Stored(f.Record().callsign[1]), "N0TWO");
}

TEST(SettingsFormTest, LeavesThePortAloneAndValuesTheFormDoesNotShow) {
  FormFixture f;
  f.items.SelectListEntry(kIdPortList, 2);
  f.Record().headerByte = 77;
  f.Record().reservedFlag = {1, 1};
  f.Record().slotDivides60 = {1, 0};
  f.SwitchThereAndBack();
  f.form.CopyRecordToForm();  // as Read Config and Load do
  EXPECT_EQ(f.Text(kIdPortList), "COM3");
  EXPECT_EQ(f.Record().headerByte, 77);
  EXPECT_EQ(f.Record().reservedFlag[1], 1);
  EXPECT_EQ(f.Record().slotDivides60[0], 1);
}

TEST(SettingsFormTest, ShowingTheRecordDropsUnstoredEdits) {
  FormFixture f;
  f.Type(kIdCallsign, "EDITED");
  f.form.CopyRecordToForm();
  EXPECT_EQ(f.Text(kIdCallsign), "NOCALL");
}

}  // namespace
}  // namespace korvaset
