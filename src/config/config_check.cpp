// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The on-air check: whether the tracker keeps what was entered, then published APRS
// practice. It informs and never changes the record.
#include "config/config_check.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "config/address_text.h"
#include "config/field_names.h"
#include "config/fixed_text.h"
#include "config/practice_rules.h"
#include "config/settings_catalogue.h"
#include "config/stepped_times.h"
#include "config/stored_paths.h"
#include "platform/message_box.h"
#include "platform/recording_message_boxes.h"

namespace korvaset {

namespace {

using check_detail::FindingSink;
using check_detail::ProfileFacts;

constexpr Severity kNote = Severity::kNote;
constexpr Severity kWarning = Severity::kWarning;
constexpr Severity kError = Severity::kError;

// In the order findings of one field are listed: storage first, then practice.
constexpr CheckRule kRules[] = {
    {"does-not-fit", kError, "the record doesn't fit the 128-byte image at all"},
    {"stored-differently", kWarning,
     "the tracker keeps something else than was entered: a text cut, a path element dropped, a "
     "number clamped or wrapped"},
    {"time-rounded", kNote, "a stepped time comes back different within its range"},
    {"empty-callsign", kError, "the callsign address in the image is blank"},
    {"placeholder-callsign", kError,
     "the call without its SSID is NOCALL, N0CALL, MYCALL or SERVER"},
    {"unusual-callsign", kWarning, "the call without its SSID doesn't have a callsign's shape"},
    {"empty-path-element", kError, "a path address in the image is blank"},
    {"obsolete-path", kWarning, "a path element is RELAY, WIDE without a digit, TRACE or TRACEn"},
    {"wide1-not-first", kWarning, "WIDE1-1 anywhere but the first path element"},
    {"bad-wide", kError, "WIDEn-N with n outside 1..7, or N = 0"},
    {"wide-hops-left", kWarning, "WIDEn-N with N > n"},
    {"too-many-hops", kWarning, "a WIDEn-N with n >= 3, or more than 3 hops in all"},
    {"bad-symbol-table", kError, "the symbol table byte is not /, \\, 0-9 or A-Z"},
    {"bad-symbol", kError, "the symbol byte is outside ! to ~ (an empty Symbol is stored as 0)"},
    {"status-reserved", kWarning, "the status text contains | or ~"},
    {"beacon-too-often", kWarning, "SmartBeaconing off and Auto Transmit Rate 1..59 s"},
    {"smartbeaconing-inverted", kError,
     "SmartBeaconing on, and Fast Speed <= Slow Speed or Fast Rate >= Slow Rate"},
    {"smartbeaconing-too-fast", kWarning, "SmartBeaconing on and Fast Rate below 60 s"},
    {"slot-offset", kError,
     "Time Slotting on and Transmit Offset outside 0 .. Auto Transmit Rate - 1"},
    {"tx-delay", kWarning, "Auto or Manual TX Delay below 100 ms or above 500 ms"},
    {"mic-e-path", kWarning, "MIC-E on and its Path is not 0 (Conventional)"},
    {"mic-e-emergency", kWarning, "MIC-E on and its Message is \"Emergency!\""},
};

const CheckRule& Rule(std::string_view id) {
  return *FindCheckRule(id);
}

// A finding's place: the image first, shared fields, then the Primary's and the
// Secondary's, each in the record's order; within a field, in the order of the rules.
std::tuple<int, int, int> SortKey(const Finding& finding) {
  const auto rule = static_cast<int>(FindCheckRule(finding.rule) - std::begin(kRules));
  const auto named = FindNamedField(finding.field);
  if (!named) return {-1, 0, rule};
  const auto index = static_cast<int>(named->field - RecordFields().data());
  return {named->field->IsPerProfile() ? 1 + named->profile : 0, index, rule};
}

void SortFindings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return SortKey(a) < SortKey(b); });
}

void CheckPractice(std::span<const std::uint8_t> image, const ConfigRecord& decoded,
                   std::vector<Finding>& findings) {
  for (int p = 0; p < kProfileCount; ++p) {
    const ProfileFacts facts{image, decoded, p, check_detail::StoredAddresses(image, p)};
    for (const CheckRule& rule : kRules) {
      if (const auto check = check_detail::PracticeCheckOf(rule.id)) {
        FindingSink sink(findings, rule, p);
        check(facts, sink);
      }
    }
  }
}

// A callsign or path element as the decoder would write it if nothing were lost: case and
// blanks don't count, nor an SSID of 0.
std::string Canonical(std::string_view text) {
  std::string canonical;
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 32) canonical += c >= 'a' && c <= 'z' ? c - 32 : c;
  }
  if (canonical.ends_with("-0")) canonical.resize(canonical.size() - 2);
  return canonical;
}

std::string CanonicalPath(std::string_view path) {
  std::string canonical;
  const auto elements = SplitPath(path);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    canonical += (i > 0 ? "," : "") + Canonical(elements[i]);
  }
  return canonical;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string Keeps(std::string_view field) {
  const Setting* setting = FindSettingByName(field);
  return setting ? "; the tracker keeps " + std::string(setting->keeps) : std::string();
}

// A stepped time: the step and the largest value it reaches.
struct Stepped {
  const char* step;
  int max;
};

std::optional<Stepped> SteppedOf(std::string_view field, const ConfigRecord& r, int p) {
  const SteppedTime* time = FindSteppedTime(field);
  if (!time) return std::nullopt;
  const char* step = !time->txDelay ? "26.3 ms" : r.baud300[p] ? "26.666 ms" : "6.666 ms";
  return Stepped{step, time->LongestMs(r.baud300[p])};
}

void CompareField(const ConfigRecord& entered, const ConfigRecord& kept,
                  std::span<const std::uint8_t> image, const RecordField& field, int p,
                  std::vector<Finding>& findings) {
  const std::string name = FieldName(field, p);
  const auto add = [&](std::string_view rule, std::string message) {
    findings.push_back({name, Rule(rule).severity, std::move(message), Rule(rule).id});
  };
  const std::string in = FormatField(entered, field, p);
  const std::string out = FormatField(kept, field, p);
  switch (field.Kind()) {
    case FieldKind::kCharacter:  // kept as the byte entered; the decoder's stand-ins don't count
      return;
    case FieldKind::kFlag:
      if ((in != "0") != (out != "0")) add("stored-differently", in + " is kept as " + out);
      return;
    case FieldKind::kText:
      if (field.name == "callsign") {
        if (Canonical(in) != out) {
          add("stored-differently", Quoted(in) + " is kept as " + Quoted(out) + Keeps(field.name));
        }
      } else if (field.name == "digiPath") {
        const auto stored = StoredDigiPaths(image);
        const std::string storedPath = stored ? CanonicalPath((*stored)[p]) : out;
        if (CanonicalPath(in) != storedPath) {
          add("stored-differently", "the path " + Quoted(in) + " is kept as " + Quoted(out) +
                                        "; use fewer or shorter elements, each a name of up "
                                        "to six letters or digits and an SSID from 0 to 15");
        }
      } else if (in != out) {
        add("stored-differently", Quoted(in) + " is cut to " + Quoted(out) +
                                      "; use a shorter text, fewer digipeaters, or the same "
                                      "callsign, path or text in both profiles");
      }
      return;
    case FieldKind::kNumber:
    case FieldKind::kSharedNumber:
      if (in == out) return;
      if (const auto stepped = SteppedOf(field.name, entered, p)) {
        const int value = std::stoi(in);
        if (value >= 0 && value <= stepped->max) {
          add("time-rounded",
              in + " ms is kept as " + out + " ms (steps of " + stepped->step + ")");
        } else {
          add("stored-differently", in + " ms is kept as " + out + " ms; use 0 to " +
                                        std::to_string(stepped->max) + " ms");
        }
        return;
      }
      add("stored-differently", in + " is kept as " + out + Keeps(field.name));
      return;
  }
}

bool IsDerived(const RecordField& field) {
  return field.name == "slotDivides60" || field.name == "slotDivides600";
}

}  // namespace

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kNote:
      return "note";
    case Severity::kWarning:
      return "warning";
    case Severity::kError:
      return "error";
  }
  return "error";
}

std::span<const CheckRule> CheckRules() {
  return kRules;
}

const CheckRule* FindCheckRule(std::string_view id) {
  const auto* found = std::find_if(std::begin(kRules), std::end(kRules),
                                   [id](const CheckRule& rule) { return rule.id == id; });
  return found == std::end(kRules) ? nullptr : found;
}

std::vector<Finding> CheckRecord(const ConfigRecord& record) {
  // The encoder's and decoder's message boxes are the check's business here, not the user's.
  RecordingMessageBoxes silent;
  ScopedMessageBoxes scope(silent);
  ConfigRecord encoded = record;
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  if (encoded.EncodeImage(buffer) != kImageSize) {
    const std::string why =
        silent.shown.empty() ? "the record doesn't fit the device image" : silent.shown.back().text;
    return {{std::string(kImageFindingName), kError, why, Rule("does-not-fit").id}};
  }
  const std::span<const std::uint8_t> image(buffer.data(), kImageSize);
  // Decoded into a copy of the input, so that fields the image leaves out keep their values.
  ConfigRecord kept = record;
  std::vector<Finding> findings;
  if (kept.DecodeImage(image)) return findings;  // an encoded image always decodes
  for (const RecordField& field : RecordFields()) {
    if (IsDerived(field)) continue;
    const int profiles = field.IsPerProfile() ? kProfileCount : 1;
    for (int p = 0; p < profiles; ++p) CompareField(record, kept, image, field, p, findings);
  }
  CheckPractice(image, kept, findings);
  SortFindings(findings);
  return findings;
}

std::optional<std::vector<Finding>> CheckImage(std::span<const std::uint8_t> image) {
  RecordingMessageBoxes silent;
  ScopedMessageBoxes scope(silent);
  ConfigRecord decoded;
  if (decoded.DecodeImage(image)) return std::nullopt;
  std::vector<Finding> findings;
  CheckPractice(image, decoded, findings);
  SortFindings(findings);
  return findings;
}

void DropRules(std::vector<Finding>& findings, std::span<const std::string> ruleIds) {
  std::erase_if(findings, [&](const Finding& f) {
    return std::find(ruleIds.begin(), ruleIds.end(), f.rule) != ruleIds.end();
  });
}

bool HasProblems(std::span<const Finding> findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity != Severity::kNote; });
}

std::string FindingLine(const Finding& finding) {
  return finding.field + ": " + std::string(SeverityName(finding.severity)) + ": " +
         finding.message + " [" + std::string(finding.rule) + "]";
}

std::string FindingWindowLine(const Finding& finding) {
  std::string where;
  if (const auto named = FindNamedField(finding.field)) {
    const Setting* setting = FindSettingByName(named->field->name);
    const std::string label = setting ? std::string(setting->label) : finding.field;
    where = named->field->IsPerProfile()
                ? std::string(named->profile == 0 ? "Primary" : "Secondary") + ", " + label
                : label;
  } else {
    where = "Configuration";
  }
  return where + ": " + std::string(SeverityName(finding.severity)) + ": " + finding.message +
         " [" + std::string(finding.rule) + "]";
}

std::string CheckReportForWindow(const ConfigRecord& record) {
  const std::vector<Finding> findings = CheckRecord(record);
  if (findings.empty()) return "No problems found.";
  std::string report;
  for (const Finding& finding : findings) {
    if (!report.empty()) report += '\n';
    report += FindingWindowLine(finding);
  }
  return report;
}

}  // namespace korvaset
