// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvaset-cli's device commands against korvalink-sim, both real programs, on a real
// pseudo-terminal. Cases that each take seconds run side by side, one simulator each.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "config/config_record.h"
#include "files/config_file.h"
#include "version.h"

namespace korvaset::testing {
namespace {

const std::string kBanner = "Korvalink 1.0 simulated";
const std::string kEmergencyQuestion =
    "Korvalink Write: You are about to configure your Korvalink with the ability to send an "
    "EMERGENCY MIC-E beacon.  Are you sure you want to do this?";

CommandResult Cli(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), KORVASET_CLI_PATH);
  return RunCommand(arguments);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A configuration file written by the file layer, with a few values away from the defaults.
void SaveConfiguration(const std::string& path, int micEMessage1 = 0) {
  ConfigRecord record;
  record.SetCallsign("N0CALL-9");
  record.rxLevel = 80;
  record.micEMessage[1] = micEMessage1;
  ASSERT_FALSE(SaveConfigFile(record, path));
}

class CliEndToEndTest : public ::testing::Test {
 protected:
  // A simulator with its own link in the test's folder.
  std::unique_ptr<SimProcess> StartSim(const std::string& name,
                                       std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.end(), {"--link", dir_.Path(name)});
    auto sim = std::make_unique<SimProcess>(arguments);
    EXPECT_TRUE(sim->Ready()) << sim->Log();
    return sim;
  }

  TempDir dir_;
};

TEST_F(CliEndToEndTest, FindsATrackerAt9600AfterASilentTryAt4800) {
  auto sim = StartSim("kl", {"--baud", "9600"});
  const CommandResult result = Cli({"version", "--port", dir_.Path("kl")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, kBanner + "\n");
  const std::string log = sim->Log();
  const auto ignored = log.find("at 4800 baud (answering at 9600 only)");
  const auto answered = log.find("version request");
  EXPECT_NE(ignored, std::string::npos) << log;
  EXPECT_NE(answered, std::string::npos) << log;
  EXPECT_LT(ignored, answered) << log;
}

// The simulator starts with the default image, whose manualTxDelay of 19 steps decodes to
// 127 ms, which would encode as 20: read, set and write keep the tracker's bytes.
TEST_F(CliEndToEndTest, ReadSetWriteReadKeepsTheTrackersBytes) {
  const std::string saved = dir_.Path("tracker.kvc");
  auto sim = StartSim("kl", {"--baud", "9600", "--save", saved});
  const std::string port = dir_.Path("kl");
  const std::string first = dir_.Path("a.kvc");
  const std::string second = dir_.Path("b.kvc");

  CommandResult result = Cli({"read", first, "--port", port});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Read Successful\n");
  ConfigRecord defaults;
  ASSERT_FALSE(SaveConfigFile(defaults, second));
  EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));  // the default image, as it is
  EXPECT_EQ(Cli({"diff", second, first}).exitCode, 0);

  // Written back and read again, the tracker holds what it held.
  result = Cli({"write", first, "--port", port});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(second));

  result = Cli({"set", first, "rxLevel=80", "secondary.callsign=N0CALL-7"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string edited = ReadFileBytes(first);

  result = Cli({"write", first, "--port", port, "--trace"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Write Successful\n");
  EXPECT_EQ(ReadFileBytes(first), edited);  // the file written from is left as it was
  EXPECT_EQ(ReadFileBytes(saved), edited);  // what the tracker stored, as a file
  EXPECT_TRUE(Contains(result.err, "-> 44\n")) << result.err;  // --trace shows the bytes

  // Port options may also stand before the command name.
  result = Cli({"--port", port, "read", second});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(second), edited);
  ConfigRecord record;
  ASSERT_TRUE(LoadConfigFile(record, second));
  EXPECT_EQ(record.rxLevel, 80);
  EXPECT_STREQ(record.callsign[1].data(), "N0CALL-7");
}

TEST_F(CliEndToEndTest, EveryFaultGivesItsMessagesAndLeavesFilesAlone) {
  const struct Case {
    const char* fault;
    const char* command;
    std::vector<std::string> messages;
  } cases[] = {
      {"silent", "read", {"Error: Korvalink Not Found"}},
      {"not-banner", "version", {"Error: Korvalink Not Found"}},
      {"short-banner", "read", {"Error: Korvalink Not Found"}},
      {"blank", "read", {"Korvalink Read: Read Failed"}},
      {"unstable", "read", {"Korvalink Read: Read Failed"}},
      {"short-readback", "write", {"Error: Write Failed (code 128 127)"}},
      {"changed-readback", "write", {"Error: Write Failed\n"}},
      {"hangup", "write", {"Error: ComPort write failed", "korvaset-cli: "}},
  };
  const std::string precious = "precious bytes the user keeps";
  const std::string source = dir_.Path("source.kvc");
  SaveConfiguration(source);
  const std::string sourceBytes = ReadFileBytes(source);

  std::vector<std::unique_ptr<SimProcess>> sims;
  std::vector<std::future<CommandResult>> runs;
  for (const Case& c : cases) {
    const std::string name = std::string("kl-") + c.fault;
    sims.push_back(StartSim(name, {"--fault", c.fault}));
    const std::string target = dir_.Path(std::string(c.fault) + ".kvc");
    std::vector<std::string> arguments = {c.command, "--port", dir_.Path(name)};
    if (std::string(c.command) == "read") {
      WriteFileBytes(target, precious);
      arguments.push_back(target);
    } else if (std::string(c.command) == "write") {
      arguments.push_back(source);
    }
    runs.push_back(std::async(std::launch::async, Cli, arguments));
  }
  std::vector<std::string> expectedFiles = {"source.kvc"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.fault);
    const CommandResult result = runs[i].get();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    for (const std::string& message : c.messages) {
      EXPECT_TRUE(Contains(result.err, message)) << result.err;
    }
    EXPECT_EQ(Contains(result.err, "Read Failed"),
              std::string(c.fault) == "blank" || std::string(c.fault) == "unstable")
        << result.err;
    if (std::string(c.command) == "read") {
      EXPECT_EQ(ReadFileBytes(dir_.Path(std::string(c.fault) + ".kvc")), precious);
      expectedFiles.push_back(std::string(c.fault) + ".kvc");
    }
    expectedFiles.push_back(std::string("kl-") + c.fault);
  }
  EXPECT_EQ(ReadFileBytes(source), sourceBytes);
  std::sort(expectedFiles.begin(), expectedFiles.end());
  EXPECT_EQ(FilesIn(dir_.Path("")), expectedFiles);  // no stray or temporary files

  // After hanging up, the simulator serves on a new line behind the same link.
  const CommandResult again = Cli({"version", "--port", dir_.Path("kl-hangup")});
  EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(CliEndToEndTest, EmergencyBeaconIsWrittenOnlyWithYes) {
  auto sim = StartSim("kl");
  const std::string file = dir_.Path("emergency.kvc");
  SaveConfiguration(file, 7);  // "Emergency!", the last MIC-E message

  CommandResult result = Cli({"write", file, "--port", dir_.Path("kl")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(Contains(result.err, kEmergencyQuestion)) << result.err;
  usleep(100'000);
  EXPECT_FALSE(Contains(sim->Log(), "client opened")) << sim->Log();  // nothing was sent

  result = Cli({"write", file, "--yes", "--port", dir_.Path("kl")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_FALSE(Contains(result.err, kEmergencyQuestion));
  EXPECT_EQ(result.out, "Write Successful\n");
}

// check --port reads as read does and saves nothing; write still writes a configuration with
// errors, and names them on stderr after its own message.
TEST_F(CliEndToEndTest, CheckReadsTheTrackerAndWriteNamesWhatItWrote) {
  auto sim = StartSim("kl");
  const std::string port = dir_.Path("kl");
  CommandResult result = Cli({"check", "--port", port});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_TRUE(Contains(result.out, "primary.callsign: error: \"NOCALL\"")) << result.out;
  EXPECT_EQ(FilesIn(dir_.Path("")), std::vector<std::string>{"kl"});

  const std::string file = dir_.Path("a.kvc");
  SaveConfiguration(file);  // N0CALL-9 and NOCALL
  result = Cli({"write", file, "--port", port});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Write Successful\n");
  EXPECT_TRUE(Contains(result.err, "primary.callsign: error: \"N0CALL-9\"")) << result.err;
  EXPECT_TRUE(Contains(result.err, "secondary.callsign: error: \"NOCALL\"")) << result.err;
  result = Cli({"write", file, "--port", port, "--no-check"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");

  EXPECT_EQ(Cli({"check", "--port", dir_.Path("nothing-here")}).exitCode, 2);
}

TEST_F(CliEndToEndTest, TonesGoOutAt4800UnlessToldOtherwise) {
  auto slow = StartSim("kl-4800");
  auto fast = StartSim("kl-9600", {"--baud", "9600"});
  auto low = std::async(std::launch::async, Cli,
                        std::vector<std::string>{"tone", "low", "--port", dir_.Path("kl-4800")});
  auto high = std::async(std::launch::async, Cli,
                         std::vector<std::string>{"tone", "high", "--port", dir_.Path("kl-9600")});
  EXPECT_EQ(low.get().exitCode, 0);
  EXPECT_EQ(high.get().exitCode, 0);  // no reply is read, so nothing tells it failed
  EXPECT_TRUE(Contains(slow->Log(), "tone stop")) << slow->Log();
  EXPECT_TRUE(Contains(slow->Log(), "tone low")) << slow->Log();
  EXPECT_TRUE(Contains(fast->Log(), "at 4800 baud")) << fast->Log();
  EXPECT_FALSE(Contains(fast->Log(), "tone")) << fast->Log();

  const CommandResult result =
      Cli({"tone", "both", "--baud", "9600", "--port", dir_.Path("kl-9600")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Contains(fast->Log(), "tone both")) << fast->Log();
}

TEST_F(CliEndToEndTest, PortsThatCantBeHadSayWhy) {
  const std::string file = dir_.Path("not-a-port");
  WriteFileBytes(file, "x");
  const struct {
    std::vector<std::string> arguments;
    std::string reason;
  } cases[] = {
      {{"version", "--port", dir_.Path("missing")}, "No such file or directory"},
      {{"read", dir_.Path("out.kvc"), "--port", file}, "not a serial port"},
  };
  for (const auto& c : cases) {
    const CommandResult result = Cli(c.arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.err,
                         "Error: Could not aquire Com Port\nError: Could not aquire Com Port\n"
                         "Error: Korvalink Not Found\n"))
        << result.err;
    EXPECT_TRUE(Contains(result.err, c.reason)) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("out.kvc")));
}

TEST_F(CliEndToEndTest, PortNamesAreStrict) {
  auto sim = StartSim("kl");
  // Were a name to fall back on COM1 or COM3, it would reach the simulator.
  const std::vector<std::string> environment = {"KORVASET_COM1=" + dir_.Path("kl"),
                                                "KORVASET_COM3=" + dir_.Path("kl")};
  const struct {
    std::string port;
    int exitCode;
    std::string err;
  } cases[] = {
      {"", 2, "--port: the port name is empty"},
      {"COM0", 1, "Error: Invalid Com Port Number\n"},
      {"COM9", 1, "Error: Invalid Com Port Number\n"},
      {"COM10", 1, "Error: Invalid Com Port Number\n"},
      {"COM-1", 1, "Error: Invalid Com Port Number\n"},
  };
  for (const auto& c : cases) {
    const CommandResult result = RunCommand({KORVASET_CLI_PATH, "tone", "stop", "--port", c.port},
                                            std::chrono::seconds(30), environment);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.port;
    EXPECT_EQ(result.err.substr(0, c.err.size()), c.err) << c.port;
  }
  usleep(100'000);
  EXPECT_FALSE(Contains(sim->Log(), "client opened")) << sim->Log();  // nothing was sent

  const CommandResult result = RunCommand({KORVASET_CLI_PATH, "version", "--port", "com3"},
                                          std::chrono::seconds(30), environment);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, kBanner + "\n");
}

// Waits until the simulator has logged text; false after ten seconds without it.
bool WaitForLog(const SimProcess& sim, const std::string& text) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!Contains(sim.Log(), text)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    usleep(10'000);
  }
  return true;
}

TEST_F(CliEndToEndTest, AnInterruptedWriteStillWritesAndVerifiesTheWholeImage) {
  const std::string source = dir_.Path("source.kvc");
  SaveConfiguration(source);
  {
    // Once through the image, so that the file holds its values as the tracker stores them.
    ConfigRecord record;
    ASSERT_TRUE(LoadConfigFile(record, source));
    ASSERT_FALSE(SaveConfigFile(record, source));
  }
  const struct Case {
    std::string name;
    int signal;
    int times;
    int exitCode;
  } cases[] = {
      {"int", SIGINT, 2, 130},  // a second Ctrl-C doesn't cut the write either
      {"term", SIGTERM, 1, 143},
  };
  std::vector<std::unique_ptr<SimProcess>> sims;
  std::vector<std::future<CommandResult>> runs;
  for (const Case& c : cases) {
    sims.push_back(StartSim(c.name, {"--baud", "9600", "--save", dir_.Path(c.name + ".kvc")}));
    const SimProcess* sim = sims.back().get();
    const std::vector<std::string> write = {KORVASET_CLI_PATH, "write", source, "--port",
                                            dir_.Path(c.name)};
    runs.push_back(std::async(std::launch::async, [sim, write, c] {
      return RunCommand(write, std::chrono::seconds(30), {}, [sim, c](pid_t cli) {
        // The image bytes go out 10 ms apart: 600 ms after the command is half-way.
        if (!WaitForLog(*sim, "ESC 'D' image write")) return;
        usleep(600'000);
        for (int i = 0; i < c.times; ++i) {
          kill(cli, c.signal);
          usleep(100'000);
        }
      });
    }));
  }
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const CommandResult result = runs[i].get();
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, "Write Successful\n");
    const std::string notice = "Finishing the write; the tracker would be left half-written\n";
    const auto first = result.err.find(notice);
    EXPECT_NE(first, std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(notice, first + 1), std::string::npos) << result.err;
    // The tracker holds the whole new image, and the next command finds it.
    EXPECT_EQ(ReadFileBytes(dir_.Path(c.name + ".kvc")), ReadFileBytes(source));
    const CommandResult read =
        Cli({"read", dir_.Path(c.name + "-read.kvc"), "--port", dir_.Path(c.name)});
    EXPECT_EQ(read.exitCode, 0) << read.err;
  }
}

// A pseudo-terminal set up as a user's terminal is (line editing, echo, signals, at 2400
// baud), whose master plays a device that answers every version request with a reply.
class TerminalDevice {
 public:
  explicit TerminalDevice(std::string reply) : reply_(std::move(reply)) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slavePath_ = ptsname(master_);
    // The settings stay with the pair for as long as the master is open.
    const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    termios settings{};
    tcgetattr(slave, &settings);
    settings.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    settings.c_iflag |= ICRNL | IXON;
    cfsetspeed(&settings, B2400);
    tcsetattr(slave, TCSANOW, &settings);
    close(slave);
    device_ = std::thread([this] { Serve(); });
  }
  ~TerminalDevice() {
    stop_ = true;
    if (device_.joinable()) device_.join();
    if (master_ >= 0) close(master_);
  }

  const std::string& SlavePath() const { return slavePath_; }
  // The settings, as text that a test failure can show.
  std::string Settings() const {
    termios t{};
    tcgetattr(master_, &t);
    char text[128];
    std::snprintf(text, sizeof text, "i=%x o=%x c=%x l=%x speed=%u/%u", t.c_iflag, t.c_oflag,
                  t.c_cflag, t.c_lflag, static_cast<unsigned>(cfgetispeed(&t)),
                  static_cast<unsigned>(cfgetospeed(&t)));
    return text + std::string(reinterpret_cast<const char*>(t.c_cc), NCCS);
  }

 private:
  void Serve() {
    std::string received;
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      char buffer[64];
      const ssize_t count = poll(&p, 1, 20) > 0 ? read(master_, buffer, sizeof buffer) : 0;
      if (count <= 0) {
        usleep(5'000);  // nobody has the slave open: the master reports a hang-up
        continue;
      }
      received.append(buffer, static_cast<std::size_t>(count));
      if (const auto at = received.find("\x1bV"); at != std::string::npos) {
        received.erase(0, at + 2);
        if (!reply_.empty()) (void)!write(master_, reply_.data(), reply_.size());
      }
    }
  }

  std::string reply_;
  int master_ = -1;
  std::string slavePath_;
  std::thread device_;
  std::atomic<bool> stop_ = false;
};

TEST_F(CliEndToEndTest, APortIsLeftWithTheSettingsItHad) {
  const struct {
    const char* reply;
    int exitCode;
  } cases[] = {
      {"Korvalink 9.9 terminal", 0},  // found and closed
      {"", 1},                        // silent: closed after each try
      {"Not a Korvalink", 1},         // left open by the probe until the program ends
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    TerminalDevice terminal(c.reply);
    ASSERT_FALSE(terminal.SlavePath().empty());
    const std::string before = terminal.Settings();
    const CommandResult result = Cli({"version", "--port", terminal.SlavePath()});
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(terminal.Settings(), before);
  }
}

TEST_F(CliEndToEndTest, PortsListsTheComNames) {
  const CommandResult result = RunCommand({KORVASET_CLI_PATH, "ports"}, std::chrono::seconds(30),
                                          {"KORVASET_COM3=" + dir_.Path("kl")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Contains(result.out, "COM1 ")) << result.out;
  EXPECT_TRUE(Contains(result.out, "COM3  " + dir_.Path("kl") + " (from KORVASET_COM3)"))
      << result.out;
  EXPECT_TRUE(Contains(result.out, "COM8 ")) << result.out;
}

// Each program's --version: its name and version, then the GPL's notice in GNU's words.
TEST(VersionTest, EveryProgramStatesItsLicence) {
  std::vector<std::string> programs = {KORVASET_CLI_PATH, KORVALINK_SIM_PATH};
#ifdef KORVASET_WINDOW_PATH
  programs.push_back(KORVASET_WINDOW_PATH);
#endif
  for (const std::string& program : programs) {
    const CommandResult result = RunCommand({program, "--version"});
    EXPECT_EQ(result.exitCode, 0) << program;
    EXPECT_EQ(
        result.out,
        std::filesystem::path(program).filename().string() + " " + std::string(kVersion) +
            "\n"
            "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
            "This is free software: you are free to change and redistribute it.\n"
            "There is NO WARRANTY, to the extent permitted by law.\n");
  }
}

}  // namespace
}  // namespace korvaset::testing
