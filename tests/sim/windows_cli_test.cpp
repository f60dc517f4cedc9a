// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvaset-cli.exe, the Windows build, under Wine against korvalink-sim: the Win32 serial
// port on a real COM port. Wine's prefix leads COMn to KORVASET_WINE_PORTS/comN, where each
// case's simulator puts its link. The Windows build's CTest runs this program with the
// environment set (tests/wine); it is not one of this build's own tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "child_process.h"
#include "config/config_record.h"
#include "files/config_file.h"

namespace korvaset::testing {
namespace {

const char* Setting(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

// Runs korvaset-cli.exe under Wine; Windows line ends become "\n".
CommandResult WindowsCli(const std::vector<std::string>& arguments) {
  std::vector<std::string> command = {Setting("KORVASET_WINE_RUN"),
                                      Setting("KORVASET_WINDOWS_CLI")};
  command.insert(command.end(), arguments.begin(), arguments.end());
  CommandResult result = RunCommand(command, std::chrono::seconds(60));
  for (std::string* text : {&result.out, &result.err}) std::erase(*text, '\r');
  return result;
}

// A simulator behind COMn.
std::unique_ptr<SimProcess> SimOnCom(int number, std::vector<std::string> arguments) {
  const std::string link =
      std::string(Setting("KORVASET_WINE_PORTS")) + "/com" + std::to_string(number);
  arguments.insert(arguments.end(), {"--link", link});
  auto sim = std::make_unique<SimProcess>(arguments);
  EXPECT_TRUE(sim->Ready()) << sim->Log();
  return sim;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class WindowsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (*Setting("KORVASET_WINE_RUN") == '\0' || *Setting("KORVASET_WINDOWS_CLI") == '\0' ||
        *Setting("KORVASET_WINE_PORTS") == '\0') {
      GTEST_FAIL() << "run this through the Windows build's tests: ctest --preset mingw";
    }
  }

  TempDir dir_;
};

// version, read, then write of an edited file, on a tracker at each speed; the file
// arguments are Unix paths, which start with '/' as Windows options do.
TEST_F(WindowsCliTest, VersionReadAndWriteAtBothSpeeds) {
  auto roundTrip = [this](int com, const std::string& baud) {
    SCOPED_TRACE(baud);
    const std::string port = "COM" + std::to_string(com);
    const std::string stored = dir_.Path("tracker-" + baud + ".kvc");
    const std::string file = dir_.Path("read-" + baud + ".kvc");
    auto sim = SimOnCom(com, {"--baud", baud, "--save", stored});

    CommandResult result = WindowsCli({"--port", port, "version"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Korvalink 1.0 simulated\n");

    result = WindowsCli({"read", file, "--port", port});
    EXPECT_EQ(result.exitCode, 0) << result.err << sim->Log();
    EXPECT_EQ(result.out, "Read Successful\n");
    // The simulator starts with the default image, whose manualTxDelay steps a decode and
    // a second encode would move; what was read is that image as it is.
    ConfigRecord defaults;
    ASSERT_FALSE(SaveConfigFile(defaults, dir_.Path("default-" + baud + ".kvc")));
    EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(dir_.Path("default-" + baud + ".kvc")));

    result = WindowsCli({"set", file, "rxLevel=80", "primary.callsign=N0CALL-9"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    result = WindowsCli({"write", file, "--port", port});
    EXPECT_EQ(result.exitCode, 0) << result.err << sim->Log();
    EXPECT_EQ(result.out, "Write Successful\n");
    EXPECT_EQ(ReadFileBytes(stored), ReadFileBytes(file));  // the file's bytes, steps and all
    EXPECT_EQ(ReadFileBytes(file)[8 + 6], 19);
  };
  auto slow = std::async(std::launch::async, roundTrip, 1, "4800");
  auto fast = std::async(std::launch::async, roundTrip, 2, "9600");
  slow.get();
  fast.get();
}

TEST_F(WindowsCliTest, TrackersThatFailGiveTheirMessagesAndLeaveFilesAlone) {
  const std::string precious = "precious bytes the user keeps";
  const std::string target = dir_.Path("kept.kvc");
  WriteFileBytes(target, precious);
  const std::string source = dir_.Path("source.kvc");
  ConfigRecord record;
  ASSERT_FALSE(SaveConfigFile(record, source));

  auto silent = SimOnCom(3, {"--fault", "silent"});
  auto changed = SimOnCom(4, {"--fault", "changed-readback"});
  auto read = std::async(std::launch::async, WindowsCli,
                         std::vector<std::string>{"read", target, "--port", "COM3"});
  auto write = std::async(std::launch::async, WindowsCli,
                          std::vector<std::string>{"write", source, "--port", "COM4"});

  CommandResult result = read.get();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Error: Korvalink Not Found\n");
  result = write.get();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(Contains(result.err, "Error: Write Failed\n")) << result.err;
  EXPECT_EQ(ReadFileBytes(target), precious);
}

// A path is taken as typed, whatever its characters: Wine hands the program its arguments
// as UTF-16, and the file is created under the same UTF-8 name on Linux.
TEST_F(WindowsCliTest, NonAsciiPathsAsTyped) {
  const std::string path = dir_.Path("Grüße Ω 北.kvc");
  CommandResult result = WindowsCli({"new", path});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  ConfigRecord record;
  EXPECT_TRUE(LoadConfigFile(record, path));

  result = WindowsCli({"show", path});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Contains(result.out, "rxLevel = 100\n")) << result.out;
  EXPECT_EQ(FilesIn(dir_.Root()), std::vector<std::string>{"Grüße Ω 北.kvc"});
}

}  // namespace
}  // namespace korvaset::testing
