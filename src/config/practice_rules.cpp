// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The rules of published APRS practice, each a function over one profile as the tracker gets
// it. Addresses and symbol characters are read from the image's bytes, the rest from the
// values decoded from it.
#include "config/practice_rules.h"

#include <algorithm>
#include <cstdio>

#include "config/address_text.h"
#include "config/field_names.h"
#include "config/fixed_text.h"
#include "config/image_layout.h"

namespace korvaset::check_detail {

namespace {

using namespace image;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string PathText(std::span<const StoredAddress> path) {
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) text += ',';
    text += path[i].text;
  }
  return text;
}

std::string JoinTexts(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

// WIDEn-N: n hops in all, N of them still to go.
struct Wide {
  int n;
  int hopsLeft;
  bool WellFormed() const { return n >= 1 && n <= 7 && hopsLeft >= 1; }
};

std::optional<Wide> AsWide(const StoredAddress& address) {
  if (!address.name.starts_with("WIDE") || address.name.size() == 4) return std::nullopt;
  const std::string_view digits = std::string_view(address.name).substr(4);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return Wide{std::stoi(std::string(digits)), address.ssid};
}

bool IsObsolete(const StoredAddress& address) {
  const std::string& name = address.name;
  if (name == "RELAY" || name == "WIDE") return true;
  if (!name.starts_with("TRACE")) return false;
  return std::all_of(name.begin() + 5, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whole path rules look at the elements that aren't blank.
std::vector<const StoredAddress*> Elements(const ProfileFacts& f) {
  std::vector<const StoredAddress*> elements;
  for (const StoredAddress& a : f.Path()) {
    if (!a.IsBlank()) elements.push_back(&a);
  }
  return elements;
}

constexpr std::string_view kPathAdvice =
    "mobiles use WIDE1-1,WIDE2-1 (WIDE1-1,WIDE2-2 in much of Europe), fixed stations WIDE2-1";

std::string DescribeByte(int byte) {
  if (byte == 0) return "empty (stored as 0)";
  if (byte > 32 && byte < 127) return Quoted(std::string(1, static_cast<char>(byte)));
  char text[16];
  std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned>(byte));
  return text;
}

bool IsPlaceholder(std::string_view call) {
  return call == "NOCALL" || call == "N0CALL" || call == "MYCALL" || call == "SERVER";
}

void EmptyCallsign(const ProfileFacts& f, FindingSink& sink) {
  if (!f.addresses.empty() && f.addresses[0].IsBlank()) {
    sink.Add("callsign", "the callsign is blank; enter your own callsign, e.g. W1AW-9");
  }
}

void PlaceholderCallsign(const ProfileFacts& f, FindingSink& sink) {
  if (f.addresses.empty() || !IsPlaceholder(f.addresses[0].name)) return;
  sink.Add("callsign", Quoted(f.addresses[0].text) +
                           " is a placeholder that the APRS network drops; enter your own "
                           "licensed callsign");
}

// ^[A-Z0-9]{1,3}[0-9][A-Z0-9]{0,3}[A-Z]$ by hand: std::regex would more than double the
// web page's download.
bool HasCallsignShape(std::string_view call) {
  const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (call.size() < 3 || call.size() > 8 || !upper(call.back())) return false;
  if (!std::all_of(call.begin(), call.end(), [&](char c) { return upper(c) || digit(c); }))
    return false;
  // The digit that ends the prefix: 1 to 3 characters before it, 0 to 3 after it and
  // before the final letter.
  for (std::size_t i = 1; i <= 3 && i + 2 <= call.size(); ++i)
    if (digit(call[i]) && call.size() - 2 - i <= 3) return true;
  return false;
}

void UnusualCallsign(const ProfileFacts& f, FindingSink& sink) {
  if (f.addresses.empty()) return;
  const StoredAddress& call = f.addresses[0];
  if (call.IsBlank() || IsPlaceholder(call.name)) return;
  if (HasCallsignShape(call.name)) return;
  sink.Add("callsign", Quoted(call.text) +
                           " doesn't have the shape of a callsign; enter your own licensed "
                           "callsign");
}

void EmptyPathElement(const ProfileFacts& f, FindingSink& sink) {
  const auto path = f.Path();
  if (std::none_of(path.begin(), path.end(), [](const auto& a) { return a.IsBlank(); })) return;
  sink.Add("digiPath", "the path " + Quoted(PathText(path)) +
                           " has a blank element, which no digipeater relays; remove the extra "
                           "comma");
}

void ObsoletePath(const ProfileFacts& f, FindingSink& sink) {
  std::vector<std::string> obsolete;
  for (const StoredAddress* a : Elements(f)) {
    if (IsObsolete(*a)) obsolete.push_back(a->text);
  }
  if (obsolete.empty()) return;
  sink.Add("digiPath", "the path " + Quoted(PathText(f.Path())) + " uses " + JoinTexts(obsolete) +
                           ", retired since 2004 because it multiplies duplicates; " +
                           std::string(kPathAdvice));
}

void Wide1NotFirst(const ProfileFacts& f, FindingSink& sink) {
  const auto elements = Elements(f);
  for (std::size_t i = 1; i < elements.size(); ++i) {
    if (elements[i]->name == "WIDE1" && elements[i]->ssid == 1) {
      sink.Add("digiPath", "the path " + Quoted(PathText(f.Path())) +
                               " has WIDE1-1 after its first element, where fill-in "
                               "digipeaters don't expect it; put WIDE1-1 first");
      return;
    }
  }
}

void BadWide(const ProfileFacts& f, FindingSink& sink) {
  std::vector<std::string> bad;
  for (const StoredAddress* a : Elements(f)) {
    const auto wide = AsWide(*a);
    if (wide && !wide->WellFormed()) bad.push_back(a->text);
  }
  if (bad.empty()) return;
  sink.Add("digiPath", "the path " + Quoted(PathText(f.Path())) + " has " + JoinTexts(bad) +
                           ", which no digipeater relays: WIDEn-N needs n from 1 to 7 and N "
                           "at least 1, e.g. WIDE2-1");
}

void WideHopsLeft(const ProfileFacts& f, FindingSink& sink) {
  std::vector<std::string> odd;
  for (const StoredAddress* a : Elements(f)) {
    const auto wide = AsWide(*a);
    if (wide && wide->WellFormed() && wide->hopsLeft > wide->n) odd.push_back(a->text);
  }
  if (odd.empty()) return;
  sink.Add("digiPath", "the path " + Quoted(PathText(f.Path())) + " has " + JoinTexts(odd) +
                           ", with more hops left than WIDEn asks for; use WIDEn-N with N no "
                           "more than n, e.g. WIDE2-2");
}

void TooManyHops(const ProfileFacts& f, FindingSink& sink) {
  int hops = 0;
  std::vector<std::string> longHops;
  for (const StoredAddress* a : Elements(f)) {
    const auto wide = AsWide(*a);
    if (!wide || !wide->WellFormed()) continue;
    hops += wide->hopsLeft;
    if (wide->n >= 3) longHops.push_back(a->text);
  }
  if (hops <= 3 && longHops.empty()) return;
  const std::string why =
      longHops.empty() ? "asks for " + std::to_string(hops) + " hops"
                       : "has " + JoinTexts(longHops) + ", which many digipeaters trap to one hop";
  sink.Add("digiPath", "the path " + Quoted(PathText(f.Path())) + " " + why +
                           ", and IARU Region 1 caps paths at 3 hops; " + std::string(kPathAdvice));
}

void BadSymbolTable(const ProfileFacts& f, FindingSink& sink) {
  const int table = f.image[kSymbolTable + f.p];
  const bool overlay = (table >= '0' && table <= '9') || (table >= 'A' && table <= 'Z');
  if (table == '/' || table == '\\' || overlay) return;
  sink.Add("symbolTable", "the symbol table " + DescribeByte(table) +
                              " is none; use / (primary table), \\ (alternate table) or an "
                              "overlay 0-9 or A-Z");
}

void BadSymbol(const ProfileFacts& f, FindingSink& sink) {
  const int symbol = f.image[kSymbol + f.p];
  if (symbol >= '!' && symbol <= '~') return;
  sink.Add("symbol", "the symbol " + DescribeByte(symbol) +
                         " is none; enter a character from ! to ~, e.g. > for a car");
}

void StatusReserved(const ProfileFacts& f, FindingSink& sink) {
  const std::string_view text = TextOf(f.decoded.statusText[f.p]);
  if (text.find_first_of("|~") == std::string_view::npos) return;
  sink.Add("statusText", "the status text " + Quoted(text) +
                             " contains | or ~, which a status report may not; remove them");
}

void BeaconTooOften(const ProfileFacts& f, FindingSink& sink) {
  const int rate = f.decoded.autoTxRate[f.p];
  if (f.decoded.smartBeaconing[f.p] || rate < 1 || rate > 59) return;
  sink.Add("autoTxRate", "a position every " + std::to_string(rate) +
                             " seconds is more than one a minute on a shared channel; use 60 "
                             "or more (mobiles commonly 120 to 180), or SmartBeaconing");
}

void SmartBeaconingInverted(const ProfileFacts& f, FindingSink& sink) {
  const ConfigRecord& r = f.decoded;
  const int p = f.p;
  if (!r.smartBeaconing[p]) return;
  if (r.sbFastSpeed[p] <= r.sbSlowSpeed[p]) {
    sink.Add("sbFastSpeed", "Fast Speed " + std::to_string(r.sbFastSpeed[p]) +
                                " knots is not above Slow Speed " +
                                std::to_string(r.sbSlowSpeed[p]) +
                                " knots; make it the higher (published: 52 and 4 knots)");
  }
  if (r.sbFastRate[p] >= r.sbSlowRate[p]) {
    sink.Add("sbFastRate", "Fast Rate " + std::to_string(r.sbFastRate[p]) +
                               " seconds is not below Slow Rate " +
                               std::to_string(r.sbSlowRate[p]) +
                               " seconds; make it the shorter (published: 180 and 1800)");
  }
}

void SmartBeaconingTooFast(const ProfileFacts& f, FindingSink& sink) {
  const int rate = f.decoded.sbFastRate[f.p];
  if (!f.decoded.smartBeaconing[f.p] || rate >= 60) return;
  sink.Add("sbFastRate", "Fast Rate " + std::to_string(rate) +
                             " seconds is more than one position a minute; use 60 or more "
                             "(published: 180)");
}

void SlotOffset(const ProfileFacts& f, FindingSink& sink) {
  const ConfigRecord& r = f.decoded;
  const int offset = r.slotOffset[f.p];
  const int last = r.autoTxRate[f.p] - 1;
  if (!r.timeSlotting[f.p] || (offset >= 0 && offset <= last)) return;
  sink.Add("slotOffset", "Transmit Offset " + std::to_string(offset) +
                             " seconds lies outside the Auto Transmit Rate of " +
                             std::to_string(r.autoTxRate[f.p]) + " seconds; use 0 to " +
                             std::to_string(std::max(last, 0)));
}

void TxDelay(const ProfileFacts& f, FindingSink& sink) {
  const auto check = [&](std::string_view field, int ms) {
    if (ms < 100) {
      sink.Add(field, std::to_string(ms) +
                          " ms is too short: the radio clips the packet's start; use 100 to "
                          "500 ms");
    } else if (ms > 500) {
      sink.Add(field, std::to_string(ms) + " ms wastes air time; use 100 to 500 ms");
    }
  };
  check("autoTxDelay", f.decoded.autoTxDelay[f.p]);
  check("manualTxDelay", f.decoded.manualTxDelay[f.p]);
}

void MicEPath(const ProfileFacts& f, FindingSink& sink) {
  const int path = f.decoded.micEPath[f.p];
  if (!f.decoded.micE[f.p] || path == 0) return;
  sink.Add("micEPath", "MIC-E Path " + std::to_string(path) +
                           " digipeats on the destination SSID, which current digipeaters "
                           "ignore; choose 0 (Conventional) and set the Digi Path");
}

void MicEEmergency(const ProfileFacts& f, FindingSink& sink) {
  if (!f.decoded.micE[f.p] || f.decoded.micEMessage[f.p] != kEmergencyMessage) return;
  sink.Add("micEMessage",
           "\"Emergency!\" raises an alarm at every station that hears the beacon; choose "
           "another message unless this is an emergency");
}

struct NamedCheck {
  std::string_view id;
  PracticeCheck check;
};

constexpr NamedCheck kPracticeChecks[] = {
    {"empty-callsign", EmptyCallsign},
    {"placeholder-callsign", PlaceholderCallsign},
    {"unusual-callsign", UnusualCallsign},
    {"empty-path-element", EmptyPathElement},
    {"obsolete-path", ObsoletePath},
    {"wide1-not-first", Wide1NotFirst},
    {"bad-wide", BadWide},
    {"wide-hops-left", WideHopsLeft},
    {"too-many-hops", TooManyHops},
    {"bad-symbol-table", BadSymbolTable},
    {"bad-symbol", BadSymbol},
    {"status-reserved", StatusReserved},
    {"beacon-too-often", BeaconTooOften},
    {"smartbeaconing-inverted", SmartBeaconingInverted},
    {"smartbeaconing-too-fast", SmartBeaconingTooFast},
    {"slot-offset", SlotOffset},
    {"tx-delay", TxDelay},
    {"mic-e-path", MicEPath},
    {"mic-e-emergency", MicEEmergency},
};

}  // namespace

void FindingSink::Add(std::string_view field, std::string message) {
  const std::string name = FieldName(*FindRecordField(field), profile_);
  const bool reported = std::any_of(findings_.begin(), findings_.end(), [&](const Finding& f) {
    return f.field == name && f.rule == rule_.id;
  });
  if (!reported) findings_.push_back({name, rule_.severity, std::move(message), rule_.id});
}

PracticeCheck PracticeCheckOf(std::string_view ruleId) {
  for (const NamedCheck& named : kPracticeChecks) {
    if (named.id == ruleId) return named.check;
  }
  return nullptr;
}

std::vector<StoredAddress> StoredAddresses(std::span<const std::uint8_t> image, int p) {
  std::vector<StoredAddress> addresses;
  for (int at = image[kAddressOffset + p]; at + kAddressSize <= kImageSize; at += kAddressSize) {
    StoredAddress address;
    for (int i = 0; i < kAddressNameLength; ++i)
      address.name += static_cast<char>(image[at + i] >> 1);
    address.name.erase(address.name.find_last_not_of(' ') + 1);
    const int ssidByte = image[at + kAddressNameLength];
    address.ssid = (ssidByte >> 1) & 0x0F;
    address.text =
        address.ssid == 0 ? address.name : address.name + "-" + std::to_string(address.ssid);
    addresses.push_back(std::move(address));
    if (ssidByte & kEndBit) break;
  }
  return addresses;
}

}  // namespace korvaset::check_detail
