// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/config_check.h"
#include "image_test_support.h"

namespace korvaset {
namespace {

// A record that checks clean: an own callsign, and the times as the image keeps them.
ConfigRecord Clean() {
  ConfigRecord record;
  for (int p = 0; p < kProfileCount; ++p) {
    record.visibleProfile = p;
    record.SetCallsign("W1AW-9");
  }
  record.visibleProfile = 0;
  record.manualTxDelay = {120, 120};
  record.quietTime = {526, 526};
  return record;
}

void SetPath(ConfigRecord& r, std::string_view path) {
  r.SetDigiPath(path);
}

// "field [rule]" of each finding, in the order found.
std::vector<std::string> Found(const std::vector<Finding>& findings) {
  std::vector<std::string> found;
  for (const Finding& f : findings) found.push_back(f.field + " [" + std::string(f.rule) + "]");
  return found;
}

struct RuleCase {
  const char* what;
  std::function<void(ConfigRecord&)> change;  // to the Primary, unless it says otherwise
  std::vector<std::string> expected;
};

class ConfigCheck : public CodecTest {};

TEST_F(ConfigCheck, EachRuleFindsItsCaseAndOnlyThat) {
  const std::vector<RuleCase> cases = {
      {"clean", [](ConfigRecord&) {}, {}},
      {"own call in lower case", [](ConfigRecord& r) { r.SetCallsign("w1aw-9"); }, {}},
      {"shapes of calls", [](ConfigRecord& r) { r.SetCallsign("2E0ABC"); }, {}},
      {"short call", [](ConfigRecord& r) { r.SetCallsign("K1D"); }, {}},
      {"blank call",
       [](ConfigRecord& r) { r.SetCallsign(""); },
       {"primary.callsign [empty-callsign]"}},
      {"placeholder",
       [](ConfigRecord& r) { r.SetCallsign("N0CALL-7"); },
       {"primary.callsign [placeholder-callsign]"}},
      {"no digit",
       [](ConfigRecord& r) { r.SetCallsign("ABCDEF"); },
       {"primary.callsign [unusual-callsign]"}},
      {"digit after a prefix of four",
       [](ConfigRecord& r) { r.SetCallsign("ABCD1E"); },
       {"primary.callsign [unusual-callsign]"}},
      {"ends in digit",
       [](ConfigRecord& r) { r.SetCallsign("W1AW1"); },
       {"primary.callsign [unusual-callsign]"}},
      {"lower-case path", [](ConfigRecord& r) { SetPath(r, "wide1-1, wide2-1"); }, {}},
      {"named digipeater and alias", [](ConfigRecord& r) { SetPath(r, "W1XYZ,SS2-1"); }, {}},
      {"blank element",
       [](ConfigRecord& r) { SetPath(r, ",WIDE2-1"); },
       {"primary.digiPath [empty-path-element]"}},
      {"relay",
       [](ConfigRecord& r) { SetPath(r, "RELAY,WIDE2-2"); },
       {"primary.digiPath [obsolete-path]"}},
      {"wide and trace",
       [](ConfigRecord& r) { SetPath(r, "WIDE-2,TRACE3-3"); },
       {"primary.digiPath [obsolete-path]"}},
      {"wide1 second",
       [](ConfigRecord& r) { SetPath(r, "WIDE2-1,WIDE1-1"); },
       {"primary.digiPath [wide1-not-first]"}},
      {"n out of range",
       [](ConfigRecord& r) { SetPath(r, "WIDE8-1"); },
       {"primary.digiPath [bad-wide]"}},
      {"no hops left",
       [](ConfigRecord& r) { SetPath(r, "WIDE2"); },
       {"primary.digiPath [bad-wide]"}},
      {"more left than asked",
       [](ConfigRecord& r) { SetPath(r, "WIDE2-3"); },
       {"primary.digiPath [wide-hops-left]"}},
      {"wide3",
       [](ConfigRecord& r) { SetPath(r, "WIDE3-3"); },
       {"primary.digiPath [too-many-hops]"}},
      {"four hops",
       [](ConfigRecord& r) { SetPath(r, "WIDE1-1,WIDE2-2,WIDE2-1"); },
       {"primary.digiPath [too-many-hops]"}},
      {"table",
       [](ConfigRecord& r) { r.symbolTable[0] = 'a'; },
       {"primary.symbolTable [bad-symbol-table]"}},
      {"overlay", [](ConfigRecord& r) { r.symbolTable[0] = 'S'; }, {}},
      {"empty symbol",
       [](ConfigRecord& r) { r.symbol[0] = '\0'; },
       {"primary.symbol [bad-symbol]"}},
      {"status",
       [](ConfigRecord& r) { r.SetStatusText("a|b"); },
       {"primary.statusText [status-reserved]"}},
      {"often",
       [](ConfigRecord& r) { r.autoTxRate[0] = 30; },
       {"primary.autoTxRate [beacon-too-often]"}},
      {"often but smart",
       [](ConfigRecord& r) { r.autoTxRate[0] = 30, r.smartBeaconing[0] = 1; },
       {}},
      {"inverted",
       [](ConfigRecord& r) {
         r.smartBeaconing[0] = 1, r.sbFastSpeed[0] = 5, r.sbFastRate[0] = 1800;
       },
       {"primary.sbFastSpeed [smartbeaconing-inverted]",
        "primary.sbFastRate [smartbeaconing-inverted]"}},
      {"fast rate",
       [](ConfigRecord& r) { r.smartBeaconing[0] = 1, r.sbFastRate[0] = 30; },
       {"primary.sbFastRate [smartbeaconing-too-fast]"}},
      {"offset",
       [](ConfigRecord& r) { r.timeSlotting[0] = 1, r.slotOffset[0] = 120; },
       {"primary.slotOffset [slot-offset]"}},
      {"offset wraps",
       [](ConfigRecord& r) { r.timeSlotting[0] = 1, r.slotOffset[0] = 70000; },
       {"primary.slotOffset [stored-differently]", "primary.slotOffset [slot-offset]"}},
      {"delays",
       [](ConfigRecord& r) { r.autoTxDelay[0] = 80, r.manualTxDelay[0] = 600; },
       {"primary.autoTxDelay [tx-delay]", "primary.manualTxDelay [tx-delay]"}},
      {"mic-e path", [](ConfigRecord& r) { r.micEPath[0] = 2; }, {"primary.micEPath [mic-e-path]"}},
      {"mic-e off", [](ConfigRecord& r) { r.micEPath[0] = 2, r.micE[0] = 0; }, {}},
      {"emergency",
       [](ConfigRecord& r) { r.micEMessage[0] = kEmergencyMessage; },
       {"primary.micEMessage [mic-e-emergency]"}},
      {"clamped delay",
       [](ConfigRecord& r) { r.autoTxDelay[0] = 2000; },
       {"primary.autoTxDelay [stored-differently]", "primary.autoTxDelay [tx-delay]"}},
      {"stepped delay",
       [](ConfigRecord& r) { r.manualTxDelay[0] = 125; },
       {"primary.manualTxDelay [time-rounded]"}},
      {"clamped number",
       [](ConfigRecord& r) { r.powerSwitchTime[0] = 300; },
       {"primary.powerSwitchTime [stored-differently]"}},
      {"cut call",
       [](ConfigRecord& r) { r.SetCallsign("AB1CDEFG-3"); },
       {"primary.callsign [stored-differently]"}},
      {"cut status",
       [](ConfigRecord& r) { r.SetStatusText(std::string(70, 'x')); },
       {"primary.statusText [stored-differently]", "secondary.statusText [stored-differently]"}},
      {"order: shared, Primary, Secondary",
       [](ConfigRecord& r) {
         r.rxLevel = 300, r.autoTxRate[0] = 30;
         r.visibleProfile = 1, r.SetCallsign("NOCALL"), r.visibleProfile = 0;
       },
       {"rxLevel [stored-differently]", "primary.autoTxRate [beacon-too-often]",
        "secondary.callsign [placeholder-callsign]"}},
  };
  for (const RuleCase& c : cases) {
    ConfigRecord record = Clean();
    c.change(record);
    const ConfigRecord before = record;
    EXPECT_EQ(Found(CheckRecord(record)), c.expected) << c.what;
    EXPECT_EQ(record, before) << c.what;
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ConfigCheck, MessagesQuoteTheValue) {
  ConfigRecord record = Clean();
  record.manualTxDelay[0] = 125;
  SetPath(record, "WIDE2-1,WIDE1-1");
  const auto findings = CheckRecord(record);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(FindingLine(findings[1]),
            "primary.manualTxDelay: note: 125 ms is kept as 127 ms (steps of 6.666 ms) "
            "[time-rounded]");
  EXPECT_TRUE(FindingWindowLine(findings[0]).starts_with("Primary, Digi Path: warning: "));
  EXPECT_EQ(CheckReportForWindow(Clean()), "No problems found.");
}

TEST_F(ConfigCheck, ARecordThatDoesNotFitGivesOneFindingAndNoBox) {
  ConfigRecord record = Clean();
  for (int p = 0; p < kProfileCount; ++p) {
    record.visibleProfile = p;
    record.SetCallsign(p == 0 ? "W1AW-9" : "W1AW-7");
    record.SetDigiPath("WIDE1-1,WIDE2-2,WIDE3-3");
    record.smartBeaconing[p] = 1;
  }
  const auto findings = CheckRecord(record);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].field, "image");
  EXPECT_EQ(findings[0].rule, "does-not-fit");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ConfigCheck, AnImageIsCheckedAsItStands) {
  ConfigRecord record;
  const auto findings = CheckImage(Encode(record));
  ASSERT_TRUE(findings);
  EXPECT_EQ(Found(*findings),
            (std::vector<std::string>{"primary.callsign [placeholder-callsign]",
                                      "secondary.callsign [placeholder-callsign]"}));
  Image blank;
  blank.fill(0xFF);
  EXPECT_FALSE(CheckImage(blank));
  EXPECT_TRUE(boxes_.shown.empty());
}

}  // namespace
}  // namespace korvaset
