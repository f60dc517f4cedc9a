// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <windows.h>

#include "platform/com_names.h"

namespace korvaset {

std::vector<SerialPortInfo> ListSerialPorts(const SerialDeviceRoots&) {
  // A COM name that the system maps to a device is a port that exists.
  std::vector<SerialPortInfo> ports;
  char target[512];
  for (int number = 1; number <= 255; ++number) {
    const std::string name = "COM" + std::to_string(number);
    if (QueryDosDeviceA(name.c_str(), target, sizeof target) != 0) {
      SerialPortInfo& info = ports.emplace_back();
      info.path = "\\\\.\\" + name;
      info.name = name;
    }
  }
  return ports;
}

std::optional<ResolvedComName> ResolveComName(std::string_view comName, const SerialDeviceRoots&,
                                              const EnvironmentLookup&) {
  if (comName.empty()) return std::nullopt;
  // The \\.\ prefix reaches COM10 and above as well as COM1..COM9.
  if (const std::optional<int> number = ComNumber(comName)) {
    if (*number < 1) return std::nullopt;
    return ResolvedComName{.path = "\\\\.\\" + std::string(comName)};
  }
  return ResolvedComName{.path = std::string(comName)};
}

}  // namespace korvaset
