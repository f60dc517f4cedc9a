// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/config_text.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "config/field_names.h"
#include "config/fixed_text.h"
#include "config/image_layout.h"
#include "config/image_units.h"
#include "config/kept_values.h"
#include "config/latin1_text.h"
#include "config/record_fields.h"
#include "config/stepped_times.h"
#include "config/stored_paths.h"
#include "version.h"

namespace korvaset {

namespace {

constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool IsQuoted(FieldKind kind) {
  return kind == FieldKind::kText || kind == FieldKind::kCharacter;
}

// Latin-1 text in double quotes, as UTF-8; what an editor wouldn't show as itself, escaped.
std::string Quote(std::string_view latin1) {
  std::string quoted = "\"";
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += Latin1ToUtf8(std::string_view(&c, 1));
    }
  }
  return quoted + "\"";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A value as the text writes it, or why it can't be read.
struct ReadValue {
  std::string value;
  std::string problem;  // empty when the value was read
};

ReadValue Refused(std::string problem) {
  return {"", std::move(problem)};
}

// A quoted text: UTF-8 of Latin-1 characters, with \\, \" and \xHH escapes.
ReadValue ReadQuoted(std::string_view rest, FieldKind kind) {
  if (rest.empty() || rest.front() != '"') {
    return Refused(kind == FieldKind::kText
                       ? "a text is written in double quotes, e.g. \"N0CALL\""
                       : "a character is written in double quotes, e.g. \"/\"");
  }
  std::string latin1;
  std::size_t at = 1;
  while (at < rest.size() && rest[at] != '"') {
    if (rest[at] == '\\') {
      const char escaped = at + 1 < rest.size() ? rest[at + 1] : '\0';
      if (escaped == '\\' || escaped == '"') {
        latin1 += escaped;
        at += 2;
        continue;
      }
      const int high = at + 3 < rest.size() && escaped == 'x' ? HexDigit(rest[at + 2]) : -1;
      const int low = high >= 0 ? HexDigit(rest[at + 3]) : -1;
      if (low < 0) {
        return Refused("unknown escape (\\\\, \\\" and \\xHH are the escapes)");
      }
      if (high == 0 && low == 0) {
        return Refused("\\x00 can't be stored: a zero ends the text");
      }
      latin1 += static_cast<char>(high * 16 + low);
      at += 4;
      continue;
    }
    const auto point = NextCodePoint(rest, at);
    if (!point) return Refused("the text is not UTF-8");
    if (point->first > 0xFF) {
      return Refused(NotLatin1Problem(rest.substr(at, point->second), point->first));
    }
    latin1 += static_cast<char>(point->first);
    at += point->second;
  }
  if (at >= rest.size()) return Refused("the closing \" is missing");
  const std::string_view after = Trim(rest.substr(at + 1));
  if (!after.empty() && after.front() != '#') {
    return Refused("unexpected text after the closing quote");
  }
  return {latin1, ""};
}

ReadValue ReadPlain(std::string_view rest) {
  return {std::string(Trim(rest.substr(0, rest.find('#')))), ""};
}

std::string TextValue(const ConfigRecord& record, const RecordField& field, int profile) {
  const std::string value = FormatField(record, field, profile);
  return IsQuoted(field.Kind()) ? Quote(value) : value;
}

std::string_view GroupHeading(int profile) {
  switch (profile) {
    case 0:
      return "# Primary profile";
    case 1:
      return "# Secondary profile";
    default:
      return "# Shared by both profiles";
  }
}

}  // namespace

std::optional<std::vector<TextField>> DescribeImage(std::span<const std::uint8_t> image) {
  ConfigRecord decoded;
  if (decoded.DecodeImage(image)) return std::nullopt;
  const auto paths = StoredDigiPaths(image);
  if (!paths) return std::nullopt;

  // What the text writes, so that an import encodes the same bytes again.
  ConfigRecord written = decoded;
  for (int p = 0; p < kProfileCount; ++p) {
    written.autoTxDelay[p] = TxDelayKeepingSteps(decoded.autoTxDelay[p], decoded.baud300[p]);
    written.manualTxDelay[p] = TxDelayKeepingSteps(decoded.manualTxDelay[p], decoded.baud300[p]);
    written.quietTime[p] = QuietTimeKeepingSteps(decoded.quietTime[p]);
    CopyCut(written.digiPath[p], (*paths)[p]);
  }
  // A value the image holds but a write can't give back (a txTwist of 156, say) is written
  // as what a write would keep, so that import takes the text.
  std::set<std::pair<const RecordField*, int>> unkept;
  for (const RecordField& field : RecordFields()) {
    if (FindSteppedTime(field.name) || field.name == "digiPath" || field.name == "statusText") {
      continue;
    }
    for (int p = 0; p < (field.IsPerProfile() ? kProfileCount : 1); ++p) {
      const KeptValue kept = KeptFieldValue(written, field, p);
      if (kept.keeping != Keeping::kChanged) continue;
      SetField(written, field, p, kept.value);
      unkept.insert({&field, p});
    }
  }
  // The encoder shares the addresses of profiles with the same texts; a Secondary stored
  // apart with the same addresses (typed differently) keeps that with a blank, which an
  // address ignores.
  std::string secondaryNote;
  if (image[image::kAddressOffset] != image[image::kAddressOffset + 1] &&
      TextOf(written.callsign[1]) == TextOf(written.callsign[0]) &&
      TextOf(written.digiPath[1]) == TextOf(written.digiPath[0])) {
    CopyCut(written.callsign[1], std::string(TextOf(written.callsign[1])) + " ");
    secondaryNote = "the blank keeps the Primary's addresses stored a second time";
  }

  // The same for status texts: a Secondary text stored apart and equal to the Primary's
  // was cut at the end of the image. One character more is cut again, and keeps it apart.
  const int secondaryStatus = image[image::kStatusOffset + 1];
  const std::string_view status = TextOf(written.statusText[1]);
  if (secondaryStatus != image[image::kStatusOffset] && status == TextOf(written.statusText[0]) &&
      secondaryStatus + static_cast<int>(status.size()) == kImageSize - 1) {
    CopyCut(written.statusText[1], std::string(status) + " ");
  }

  // Only times, paths, the Secondary's callsign and status text are ever written otherwise
  // than decoded.
  auto note = [&](const RecordField& field, int p) -> std::string {
    if (field.name == "digiPath") return "keeps a blank address that show leaves out";
    if (field.name == "callsign" && !unkept.contains({&field, p})) return secondaryNote;
    if (field.name == "statusText") {
      return "the tracker keeps " + TextValue(decoded, field, p) +
             ": the blank, cut for want of room, keeps it apart from the Primary's";
    }
    if (unkept.contains({&field, p})) {
      return "the tracker holds " + TextValue(decoded, field, p) +
             ", which a write can't give back";
    }
    return "the tracker uses " + FormatField(decoded, field, p) + " ms";
  };
  std::vector<TextField> fields;
  auto add = [&](const RecordField& field, int p) {
    TextField text{FieldName(field, p), TextValue(written, field, p), "",
                   field.IsPerProfile() ? p : -1};
    if (text.value != TextValue(decoded, field, p)) text.note = note(field, p);
    fields.push_back(std::move(text));
  };
  for (const RecordField& field : RecordFields()) {
    if (!field.IsPerProfile()) add(field, 0);
  }
  for (int p = 0; p < kProfileCount; ++p) {
    for (const RecordField& field : RecordFields()) {
      if (field.IsPerProfile()) add(field, p);
    }
  }
  return fields;
}

std::string FormatConfigText(std::span<const TextField> fields) {
  std::string text =
      "# Korvalink configuration, written by Korvaset " + std::string(kVersion) + "\n";
  int group = -2;
  for (const TextField& field : fields) {
    if (field.profile != group) {
      group = field.profile;
      text += "\n" + std::string(GroupHeading(group)) + "\n";
    }
    text += field.name + " = " + field.value;
    if (!field.note.empty()) text += "  # " + field.note;
    text += "\n";
  }
  return text;
}

std::string TextProblem::Describe() const {
  std::string text = line > 0 ? "line " + std::to_string(line) + ": " : "";
  if (!name.empty()) text += name + ": ";
  return text + what;
}

std::vector<TextProblem> ApplyConfigText(std::string_view text, ConfigRecord& record,
                                         TextValues values) {
  if (const std::size_t zero = text.find('\0'); zero != std::string_view::npos) {
    return {{0, "",
             "this is no text: it holds a zero byte at offset " + std::to_string(zero) +
                 " (a configuration text is what korvaset-cli export writes)"}};
  }
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

  std::vector<TextProblem> problems;
  ConfigRecord result = record;
  std::map<std::string, int, std::less<>> seen;
  struct Named {
    int line;
    NamedField target;
  };
  std::vector<Named> named;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;

    const std::size_t equals = line.find('=');
    const std::string name(Trim(line.substr(0, equals == std::string_view::npos ? 0 : equals)));
    if (equals == std::string_view::npos || name.empty()) {
      problems.push_back({number, "", "expected name = value, or a comment that starts with #"});
      continue;
    }
    const std::optional<NamedField> target = FindNamedField(name);
    if (!target) {
      problems.push_back({number, name, "unknown name (korvaset-cli show FILE lists them)"});
      continue;
    }
    if (const auto first = seen.find(name); first != seen.end()) {
      problems.push_back(
          {number, name, "given again (first on line " + std::to_string(first->second) + ")"});
      continue;
    }
    seen.emplace(name, number);

    const std::string_view rest = Trim(line.substr(equals + 1));
    const FieldKind kind = target->field->Kind();
    const ReadValue read = IsQuoted(kind) ? ReadQuoted(rest, kind) : ReadPlain(rest);
    if (!read.problem.empty()) {
      problems.push_back({number, name, read.problem});
      continue;
    }
    const std::string& value = read.value;
    if (const auto why = CheckFieldValue(*target->field, value)) {
      problems.push_back({number, name, *why});
      continue;
    }
    SetField(result, *target->field, target->profile, value);
    if (values == TextValues::kKept) named.push_back({number, *target});
  }
  // Once every line is in: what a TX delay or slotOffset keeps depends on other fields.
  for (const auto& [line, target] : named) {
    const RecordField& field = *target.field;
    const KeptValue kept = KeptFieldValue(result, field, target.profile);
    if (kept.keeping != Keeping::kChanged) continue;
    const bool quoted = IsQuoted(field.Kind());
    auto shown = [quoted](const std::string& value) { return quoted ? Quote(value) : value; };
    problems.push_back({line, FieldName(field, target.profile),
                        "the tracker can't keep " +
                            shown(FormatField(result, field, target.profile)) + ": it keeps " +
                            kept.range + ", and would hold " + shown(kept.value)});
  }
  std::stable_sort(problems.begin(), problems.end(),
                   [](const TextProblem& a, const TextProblem& b) { return a.line < b.line; });
  if (problems.empty()) record = result;
  return problems;
}

}  // namespace korvaset
