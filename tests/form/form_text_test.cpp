// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "form/form_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace korvaset {
namespace {

TEST(FormTextTest, ParsesNumbersAsAtoiDoesWithoutOverflow) {
  const struct {
    const char* text;
    int number;
  } cases[] = {
      {"125", 125},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {" -5", -5},
      {"\t+7", 7},
      {"-", 0},
      {"- 5", 0},
      {"3.9", 3},
      {"007", 7},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", INT_MAX},
      {"99999999999", INT_MAX},
      {"-99999999999999999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.number) << '"' << c.text << '"';
}

}  // namespace
}  // namespace korvaset
