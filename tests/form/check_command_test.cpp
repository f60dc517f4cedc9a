// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"

namespace korvaset {
namespace {

// Check Configuration takes the visible profile from the items and the other from the
// record, into a scratch copy: the record stays as it was, and one box shows the findings.
TEST(CheckConfiguration, ChecksWhatTheFormShowsWithoutStoringIt) {
  FormFixture f;
  f.Type(kIdCallsign, "W1AW-9");
  f.Type(kIdStatusText, "Gr\xFC\xDF|");
  const ConfigRecord before = f.Record();
  f.form.OnCheckConfiguration();
  EXPECT_EQ(f.Record(), before);
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].caption, "Check Configuration");
  const std::string& report = f.boxes.shown[0].text;
  EXPECT_EQ(report.find("Primary, Callsign:"), std::string::npos) << report;
  EXPECT_NE(report.find("Secondary, Callsign: error: \"NOCALL\""), std::string::npos) << report;
  // Write Config keeps what Read Config showed a step off: a note, not a warning.
  EXPECT_NE(report.find("Primary, Manual TX Delay: note: "), std::string::npos) << report;
  // The form's text is Latin-1; the box shows UTF-8.
  EXPECT_NE(report.find("\"Gr\xC3\xBC\xC3\x9F|\""), std::string::npos) << report;
}

}  // namespace
}  // namespace korvaset
