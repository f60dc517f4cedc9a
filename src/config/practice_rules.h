// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_check.h"
#include "config/config_record.h"

// What the check's rules work on, shared by the rule table and the code that runs it.
namespace korvaset::check_detail {

// An address as the image holds it.
struct StoredAddress {
  std::string name;  // the six characters without trailing blanks
  int ssid = 0;
  std::string text;  // canonical text, as the decoder gives it

  bool IsBlank() const { return name.find_first_not_of(' ') == std::string::npos; }
};

// One profile as the tracker gets it: the image's own bytes, and the values decoded from it.
struct ProfileFacts {
  std::span<const std::uint8_t> image;
  const ConfigRecord& decoded;
  int p;
  std::vector<StoredAddress> addresses;  // the callsign, then the path's elements

  std::span<const StoredAddress> Path() const {
    return std::span(addresses).subspan(addresses.empty() ? 0 : 1);
  }
};

// Collects the findings of one rule on one profile; a rule reports once per field at most.
class FindingSink {
 public:
  FindingSink(std::vector<Finding>& findings, const CheckRule& rule, int profile)
      : findings_(findings), rule_(rule), profile_(profile) {}

  // field is the record's field name ("digiPath").
  void Add(std::string_view field, std::string message);

 private:
  std::vector<Finding>& findings_;
  const CheckRule& rule_;
  int profile_;
};

using PracticeCheck = void (*)(const ProfileFacts& facts, FindingSink& sink);

// The practice rule of a rule id; nullptr for the storage rules.
PracticeCheck PracticeCheckOf(std::string_view ruleId);

// A profile's addresses, read from the image as far as they lie inside it.
std::vector<StoredAddress> StoredAddresses(std::span<const std::uint8_t> image, int p);

}  // namespace korvaset::check_detail
