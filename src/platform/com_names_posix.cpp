// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "platform/com_names.h"

namespace korvaset {

namespace fs = std::filesystem;

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first line of a small sysfs attribute, without its line end; empty when unreadable.
std::string ReadAttribute(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

#ifndef __APPLE__

// Families of serial devices in the order COM names take them: USB adapters first, then
// the ports built into the machine.
constexpr std::array<std::string_view, 10> kFamilies = {
    "ttyUSB", "ttyACM", "ttyS", "ttyAMA", "ttymxc", "ttySAC", "ttyO", "ttyTHS", "ttyMSM", "rfcomm"};
constexpr std::size_t kUsbFamilies = 2;

struct Candidate {
  std::size_t family;
  unsigned long number;
  std::string name;
  bool operator<(const Candidate& other) const {
    return family != other.family ? family < other.family : number < other.number;
  }
};

std::optional<Candidate> Classify(const std::string& name) {
  for (std::size_t f = 0; f < kFamilies.size(); ++f) {
    const std::string_view family = kFamilies[f];
    if (name.size() > family.size() && name.compare(0, family.size(), family) == 0) {
      const std::string_view digits = std::string_view(name).substr(family.size());
      if (AllDigits(digits) && digits.size() < 9) {
        return Candidate{f, std::stoul(std::string(digits)), name};
      }
    }
  }
  return std::nullopt;
}

// Linux lists ttyS0..ttyS31 whether or not a UART stands behind them; those without one
// have port type 0 (PORT_UNKNOWN) and fail on every use.
bool IsPhantom(const SerialDeviceRoots& roots, const std::string& name) {
  const std::string type = ReadAttribute(fs::path(roots.sysClassTty) / name / "type");
  return type == "0";
}

// The USB device above a tty: the first ancestor of its device node that has idVendor.
void AddUsbDescription(const SerialDeviceRoots& roots, SerialPortInfo& info) {
  std::error_code error;
  fs::path dir = fs::canonical(fs::path(roots.sysClassTty) / info.name / "device", error);
  if (error) return;
  for (int level = 0; level < 5 && !dir.empty() && dir != dir.root_path(); ++level) {
    if (fs::exists(dir / "idVendor", error)) {
      info.vendorId = ReadAttribute(dir / "idVendor");
      info.productId = ReadAttribute(dir / "idProduct");
      info.manufacturer = ReadAttribute(dir / "manufacturer");
      info.product = ReadAttribute(dir / "product");
      return;
    }
    dir = dir.parent_path();
  }
}

#endif

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts(const SerialDeviceRoots& roots) {
  std::vector<SerialPortInfo> ports;
  std::error_code error;
  fs::directory_iterator entries(roots.dev, error);
  if (error) return ports;
#ifdef __APPLE__
  // The call-out devices: opening them doesn't wait for carrier as /dev/tty.* does.
  std::vector<std::pair<int, std::string>> found;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("cu.", 0) != 0) continue;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool usb =
        lower.find("usb") != std::string::npos || lower.find("slab") != std::string::npos;
    found.emplace_back(usb ? 0 : 1, name);
  }
  std::sort(found.begin(), found.end());
  for (const auto& [group, name] : found) {
    SerialPortInfo& info = ports.emplace_back();
    info.path = (fs::path(roots.dev) / name).string();
    info.name = name;
  }
#else
  std::vector<Candidate> found;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    std::optional<Candidate> candidate = Classify(name);
    if (!candidate) continue;
    if (candidate->family >= kUsbFamilies && IsPhantom(roots, name)) continue;
    found.push_back(std::move(*candidate));
  }
  std::sort(found.begin(), found.end());
  for (const Candidate& candidate : found) {
    SerialPortInfo& info = ports.emplace_back();
    info.path = (fs::path(roots.dev) / candidate.name).string();
    info.name = candidate.name;
    AddUsbDescription(roots, info);
  }
#endif
  return ports;
}

std::optional<ResolvedComName> ResolveComName(std::string_view comName,
                                              const SerialDeviceRoots& roots,
                                              const EnvironmentLookup& environment) {
  const std::optional<int> number = ComNumber(comName);
  if (!number) {
    if (comName.empty()) return std::nullopt;
    return ResolvedComName{.path = std::string(comName)};
  }
  if (*number < 1) return std::nullopt;
  const std::string variable = ComEnvironmentVariable(*number);
  const std::optional<std::string> configured =
      environment ? environment(variable) : ProcessEnvironment(variable);
  if (configured && !configured->empty()) {
    return ResolvedComName{.path = *configured, .fromEnvironment = true};
  }
  const std::vector<SerialPortInfo> ports = ListSerialPorts(roots);
  if (static_cast<std::size_t>(*number) > ports.size()) return std::nullopt;
  return ResolvedComName{.path = ports[static_cast<std::size_t>(*number) - 1].path};
}

}  // namespace korvaset
