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

// One field of a configuration text.
struct TextField {
  std::string name;   // as show prints it
  std::string value;  // as the text writes it: texts and characters quoted
  std::string note;   // for a comment after the value; empty for none
  int profile;        // -1 for a shared field
};

// Every field of a device image, as the text gives it: the shared fields, then the
// Primary's, then the Secondary's, each in the record's declared order. Every value
// encodes back to the bytes stored, and where that is not the value the tracker uses (a
// time kept in steps), the note says what it uses. Nothing for a damaged image, after the
// decoder has said why.
std::optional<std::vector<TextField>> DescribeImage(std::span<const std::uint8_t> image);

// The configuration text: a first line that names it and the version that wrote it, then
// one "name = value" a line, under a comment for each group.
std::string FormatConfigText(std::span<const TextField> fields);

// Why a line of a text can't be applied.
struct TextProblem {
  int line;          // 0 for the text as a whole
  std::string name;  // the field the line names; empty when there is none
  std::string what;

  // "line 12: primary.callsign: what".
  std::string Describe() const;
};

// Which values ApplyConfigText accepts: those the record's field takes, or only those that
// the tracker also keeps as written (a time may round to its step).
enum class TextValues { kTaken, kKept };

// Applies a configuration text to record; names it doesn't give keep their values. Strict:
// every line is a comment, blank or "name = value" with a known name given once and a
// value that values accepts. Line ends, blanks
// around the parts, tabs and a UTF-8 byte-order mark don't matter. On any problem, record stays as
// it was and every problem is returned.
std::vector<TextProblem> ApplyConfigText(std::string_view text, ConfigRecord& record,
                                         TextValues values = TextValues::kKept);

}  // namespace korvaset
