// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvaset {

// Where the system lists its devices. Tests point these at a tree of their own.
struct SerialDeviceRoots {
  std::string dev = "/dev";
  std::string sysClassTty = "/sys/class/tty";
};

// Looks a variable up in the environment; nothing when it is unset or empty.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
std::optional<std::string> ProcessEnvironment(const std::string& name);

// One serial port of the system, with what the system tells of the USB adapter behind it.
struct SerialPortInfo {
  std::string path;  // "/dev/ttyUSB0"
  std::string name;  // "ttyUSB0"
  std::string vendorId;
  std::string productId;
  std::string manufacturer;
  std::string product;

  // "0403:6001 FTDI FT232R USB UART", or empty when the port is not a USB adapter.
  std::string Description() const;
};

// The number of a COM name, "COM" and a whole number, letter case ignored: 3 for "com3",
// and also 0 for "COM0", -1 for "COM-1" or INT_MAX for a number beyond int, which no port
// has. Nothing for any other text (a device path).
std::optional<int> ComNumber(std::string_view comName);

// The environment variable that names the device of COMn: "KORVASET_COM3".
std::string ComEnvironmentVariable(int number);

// The real serial ports in the order that COM names take them: USB adapters first
// (ttyUSB, then ttyACM, each in numeric order), then built-in ports that exist. The
// phantom ttyS ports that Linux lists without hardware (port type 0) are left out.
// On macOS the /dev/cu.* devices, USB adapters first.
std::vector<SerialPortInfo> ListSerialPorts(const SerialDeviceRoots& roots = {});

struct ResolvedComName {
  std::string path;
  bool fromEnvironment = false;
};

// The device that a COM name opens: KORVASET_COMn when set, otherwise the n-th port of
// ListSerialPorts. Nothing when no device stands behind the name (COM0 among them). A name that is
// not a COM name is taken as a device path. On Windows "COMn" becomes "\\.\COMn".
std::optional<ResolvedComName> ResolveComName(std::string_view comName,
                                              const SerialDeviceRoots& roots = {},
                                              const EnvironmentLookup& environment = {});

}  // namespace korvaset
