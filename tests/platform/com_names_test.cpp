// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// COM names over a made-up /dev and /sys tree: which devices count as serial ports, in
// which order COM1..COM8 take them, and what the system tells of a USB adapter.
#include "platform/com_names.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

namespace korvaset {
namespace {

namespace fs = std::filesystem;

class ComNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/korvaset-com-names-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    root_ = dir;
    roots_ = {.dev = (root_ / "dev").string(), .sysClassTty = (root_ / "sys/class/tty").string()};
    fs::create_directories(roots_.dev);
    fs::create_directories(roots_.sysClassTty);
  }
  void TearDown() override { fs::remove_all(root_); }

  void Device(const std::string& name) { std::ofstream(fs::path(roots_.dev) / name); }
  void Attribute(const std::string& path, const std::string& value) {
    const fs::path file = root_ / path;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << value << "\n";
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const SerialPortInfo& port : ListSerialPorts(roots_)) names.push_back(port.name);
    return names;
  }

  fs::path root_;
  SerialDeviceRoots roots_;
};

TEST_F(ComNamesTest, UsbAdaptersFirstInNumericOrderThenBuiltInPortsThatExist) {
  for (const char* name : {"ttyS1", "ttyUSB10", "ttyACM0", "ttyUSB1", "ttyS0", "ttyUSB0", "ttyS2",
                           "tty0", "ttyprintk", "ttyUSBx", "console", "ttyAMA0"}) {
    Device(name);
  }
  Attribute("sys/class/tty/ttyS0/type", "4");
  Attribute("sys/class/tty/ttyS1/type", "0");  // listed by Linux, no UART behind it
  Attribute("sys/class/tty/ttyS2/type", "4");
  EXPECT_EQ(Names(), (std::vector<std::string>{"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyACM0", "ttyS0",
                                               "ttyS2", "ttyAMA0"}));
}

TEST_F(ComNamesTest, ComNumbersCountThePortsAndTheEnvironmentOverrides) {
  Device("ttyUSB0");
  Device("ttyS0");
  Attribute("sys/class/tty/ttyS0/type", "4");
  std::map<std::string, std::string> environment = {{"KORVASET_COM3", "/dev/ttyV9"}};
  const EnvironmentLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
    const auto it = environment.find(name);
    if (it == environment.end()) return std::nullopt;
    return it->second;
  };
  struct Case {
    std::string name;
    std::optional<std::string> path;
    bool fromEnvironment;
  };
  const std::string dev = roots_.dev;
  for (const Case& c : {Case{"COM1", dev + "/ttyUSB0", false}, Case{"com2", dev + "/ttyS0", false},
                        Case{"COM3", "/dev/ttyV9", true}, Case{"COM4", std::nullopt, false},
                        Case{"COM8", std::nullopt, false}, Case{"COM0", std::nullopt, false},
                        Case{"/dev/ttyUSB5", "/dev/ttyUSB5", false}}) {
    const std::optional<ResolvedComName> resolved = ResolveComName(c.name, roots_, lookup);
    ASSERT_EQ(resolved.has_value(), c.path.has_value()) << c.name;
    if (resolved) {
      EXPECT_EQ(resolved->path, *c.path) << c.name;
      EXPECT_EQ(resolved->fromEnvironment, c.fromEnvironment) << c.name;
    }
  }
}

TEST_F(ComNamesTest, NoPortsMeansNoComName) {
  const EnvironmentLookup none = [](const std::string&) { return std::nullopt; };
  EXPECT_EQ(ResolveComName("COM1", roots_, none), std::nullopt);
  fs::remove_all(roots_.dev);
  EXPECT_TRUE(ListSerialPorts(roots_).empty());
}

TEST_F(ComNamesTest, DescribesTheUsbAdapterAboveThePort) {
  Device("ttyUSB0");
  Device("ttyACM0");
  Attribute("sys/devices/usb1/1-1/idVendor", "0403");
  Attribute("sys/devices/usb1/1-1/idProduct", "6001");
  Attribute("sys/devices/usb1/1-1/manufacturer", "FTDI");
  Attribute("sys/devices/usb1/1-1/product", "FT232R USB UART");
  const fs::path port = root_ / "sys/devices/usb1/1-1/1-1:1.0/ttyUSB0";
  fs::create_directories(port);
  fs::create_directories(fs::path(roots_.sysClassTty) / "ttyUSB0");
  fs::create_symlink(port, fs::path(roots_.sysClassTty) / "ttyUSB0" / "device");

  const std::vector<SerialPortInfo> ports = ListSerialPorts(roots_);
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].path, roots_.dev + "/ttyUSB0");
  EXPECT_EQ(ports[0].Description(), "0403:6001 FTDI FT232R USB UART");
  EXPECT_EQ(ports[1].Description(), "");
}

TEST(ComNumberTest, ReadsEveryComNameAndNothingElse) {
  EXPECT_EQ(ComNumber("COM1"), 1);
  EXPECT_EQ(ComNumber("Com12"), 12);
  // Numbers that no port has are still COM names, for the link to refuse.
  EXPECT_EQ(ComNumber("COM0"), 0);
  EXPECT_EQ(ComNumber("com-1"), -1);
  EXPECT_EQ(ComNumber("COM99999999999999999999"), INT_MAX);
  for (const char* text : {"COM", "COM-", "COMx", "COM1x", "LPT1", "/dev/ttyUSB0", ""}) {
    EXPECT_EQ(ComNumber(text), std::nullopt) << text;
  }
  EXPECT_EQ(ComEnvironmentVariable(3), "KORVASET_COM3");
}

}  // namespace
}  // namespace korvaset
