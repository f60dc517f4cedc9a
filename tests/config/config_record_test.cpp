// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/config_record.h"

#include <gtest/gtest.h>

#include <string>

namespace korvaset {
namespace {

TEST(ConfigRecord, SettersCutToTheFieldAndAddressTheVisibleProfile) {
  struct Case {
    void (ConfigRecord::*set)(std::string_view);
    std::string (*get)(const ConfigRecord&, int);
    std::size_t kept;
  };
  const Case cases[] = {
      {&ConfigRecord::SetCallsign,
       [](const ConfigRecord& r, int p) { return std::string(r.callsign[p].data()); }, 19},
      {&ConfigRecord::SetDigiPath,
       [](const ConfigRecord& r, int p) { return std::string(r.digiPath[p].data()); }, 99},
      {&ConfigRecord::SetStatusText,
       [](const ConfigRecord& r, int p) { return std::string(r.statusText[p].data()); }, 199},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kept);
    ConfigRecord record;
    const std::string before = c.get(record, 0);
    const std::string longText(c.kept + 6, 'x');
    record.visibleProfile = 1;
    (record.*c.set)(longText);
    EXPECT_EQ(c.get(record, 1), longText.substr(0, c.kept));
    EXPECT_EQ(c.get(record, 0), before);
    (record.*c.set)("ab");  // a shorter text leaves nothing of the longer one behind
    EXPECT_EQ(c.get(record, 1), "ab");
  }
}

}  // namespace
}  // namespace korvaset
