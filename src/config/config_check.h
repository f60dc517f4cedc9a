// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_record.h"

namespace korvaset {

// Notes never change a check's outcome; warnings and errors do.
enum class Severity { kNote, kWarning, kError };

std::string_view SeverityName(Severity severity);  // "note", "warning", "error"

// One rule of the check: its id, which findings carry and --ignore takes, and what it finds.
struct CheckRule {
  std::string_view id;
  Severity severity;
  std::string_view summary;
};

// Every rule, in the order findings of one field are listed.
std::span<const CheckRule> CheckRules();

// The rule with this id, or nullptr.
const CheckRule* FindCheckRule(std::string_view id);

// The name of the finding about a record that doesn't fit the image at all.
inline constexpr std::string_view kImageFindingName = "image";

struct Finding {
  std::string field;  // as show names it ("primary.digiPath", "rxLevel"), or "image"
  Severity severity;
  std::string message;  // quotes the value and says what to do instead
  std::string_view rule;

  bool operator==(const Finding&) const = default;
};

// Checks what the user entered, before it has been through the encoder: first whether the
// tracker will keep it as entered, then the practice rules on the image it encodes to. A
// record that doesn't fit the image gives one finding. The record is not changed and no
// message box is shown. Findings come shared fields first, then each profile's, in the
// record's field order.
std::vector<Finding> CheckRecord(const ConfigRecord& record);

// Checks an image as the tracker gets or holds it: the practice rules only. Nothing for an
// image that DecodeImage refuses (no message box is shown; callers report it their own way).
std::optional<std::vector<Finding>> CheckImage(std::span<const std::uint8_t> image);

// Leaves out the findings of the given rules.
void DropRules(std::vector<Finding>& findings, std::span<const std::string> ruleIds);

// Whether any finding is above a note.
bool HasProblems(std::span<const Finding> findings);

// "NAME: SEVERITY: MESSAGE [ID]", as the command line prints it.
std::string FindingLine(const Finding& finding);

// The window's form: "Primary, Digi Path: warning: MESSAGE [ID]"; a shared field by its label
// alone ("RX Level: ...").
std::string FindingWindowLine(const Finding& finding);

// What the window's Check Configuration shows for a record: CheckRecord's findings in the
// window's form, a line each, or "No problems found." when there are none.
std::string CheckReportForWindow(const ConfigRecord& record);

}  // namespace korvaset
