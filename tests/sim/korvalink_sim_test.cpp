// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The real korvalink-sim on a real pseudo-terminal, talked to with plain termios.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <string>

#include "child_process.h"
#include "config/config_record.h"
#include "termios_client.h"

namespace korvaset::testing {
namespace {

const std::string kVersion = "\x1bV";
const std::string kRead = "\x1bU";
const std::string kWriteHeader = "\x1b\x44\xaa\x55";
const std::string kBanner = "Korvalink 1.0 simulated";

std::string DefaultImage() {
  ConfigRecord record;
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  EXPECT_EQ(record.EncodeImage(buffer), kImageSize);
  return std::string(buffer.begin(), buffer.begin() + kImageSize);
}

// An image that is not the default one: every byte different and easy to recognise.
std::string PatternImage() {
  std::string image;
  for (int i = 0; i < kImageSize; ++i) image.push_back(static_cast<char>(i * 7 + 3));
  return image;
}

std::string ConfigFileBytes(const std::string& image) {
  return std::string("KVLA\x80\0\0\0", 8) + image;
}

// Where the link leads now; empty when it leads nowhere.
std::string LinkTarget(const std::string& path) {
  char* target = realpath(path.c_str(), nullptr);
  if (target == nullptr) return {};
  std::string result = target;
  free(target);
  return result;
}

bool IsLink(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

class KorvalinkSimTest : public ::testing::Test {
 protected:
  std::string Link() const { return dir_.Path("kl"); }
  // Starts a simulator with a link in the test's folder.
  SimProcess& Start(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--link", Link()});
    sim_.reset();  // the previous simulator takes its link with it
    sim_ = std::make_unique<SimProcess>(arguments);
    EXPECT_TRUE(sim_->Ready()) << sim_->Log();
    return *sim_;
  }
  std::string Ask(const std::string& command, speed_t speed = B4800) {
    TermiosClient client(Link(), speed);
    EXPECT_TRUE(client.IsOpen());
    client.Send(command);
    return client.Receive();
  }
  void Write(const std::string& image, speed_t speed = B4800) {
    TermiosClient client(Link(), speed);
    ASSERT_TRUE(client.Send(kWriteHeader + image));
    client.Receive(100, 100);  // let the last bytes reach the simulator before closing
  }

  TempDir dir_;
  std::unique_ptr<SimProcess> sim_;
};

TEST_F(KorvalinkSimTest, AnswersOnlyAtItsOwnSpeedAndAtThePaceOfIt) {
  SimProcess& sim = Start({"--baud", "9600"});
  EXPECT_EQ(sim.SlavePath().rfind("/dev/pts/", 0), 0u);
  EXPECT_EQ(LinkTarget(Link()), sim.SlavePath());

  EXPECT_EQ(Ask(kVersion, B4800), "");
  EXPECT_NE(sim.Log().find("at 4800 baud (answering at 9600 only)"), std::string::npos)
      << sim.Log();

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Ask(kVersion, B9600), kBanner);
  // 23 characters at 9600 baud take 24 ms on the line; the simulator can't be quicker.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(23));
}

TEST_F(KorvalinkSimTest, KeepsServingWhenClientsCloseAndReopen) {
  SimProcess& sim = Start({});
  for (int client = 0; client < 3; ++client) {
    EXPECT_EQ(Ask(kVersion), kBanner) << "client " << client;
  }
  {
    // A tracker can't see the port close in the middle of an image write: the image stays
    // pending, and what the next client sends completes it.
    TermiosClient client(Link(), B4800);
    client.Send(kWriteHeader + PatternImage().substr(0, 10));
    client.Receive(100, 100);
  }
  usleep(100'000);
  EXPECT_NE(sim.Log().find("image write incomplete: 10 of 128 bytes"), std::string::npos)
      << sim.Log();
  {
    TermiosClient client(Link(), B4800);
    client.Send(PatternImage().substr(10));
    client.Receive(100, 100);
  }
  EXPECT_EQ(Ask(kRead), PatternImage());
  EXPECT_NE(sim.Log().find("completed after the port was closed"), std::string::npos) << sim.Log();
}

TEST_F(KorvalinkSimTest, ReadsStoresAndSavesImages) {
  const std::string save = dir_.Path("saved.kvc");
  SimProcess& sim = Start({"--save", save});
  EXPECT_EQ(Ask(kRead), DefaultImage());
  EXPECT_FALSE(access(save.c_str(), F_OK) == 0);

  Write(PatternImage());
  EXPECT_EQ(Ask(kRead), PatternImage());
  EXPECT_EQ(ReadFileBytes(save), ConfigFileBytes(PatternImage()));

  // Tones are logged, never answered.
  EXPECT_EQ(Ask("\x1b\x1bx"), "");
  EXPECT_EQ(Ask("\x1b\x1b"
                "2"),
            "");
  const std::string log = sim.Log();
  EXPECT_NE(log.find("tone stop"), std::string::npos) << log;
  EXPECT_NE(log.find("tone high"), std::string::npos) << log;
}

TEST_F(KorvalinkSimTest, StartsFromAConfigurationFile) {
  const std::string file = dir_.Path("start.kvc");
  WriteFileBytes(file, ConfigFileBytes(PatternImage()));
  Start({"--image", file});
  EXPECT_EQ(Ask(kRead), PatternImage());
}

TEST_F(KorvalinkSimTest, RefusesABadImageFileOrALinkPathThatIsNoLink) {
  const std::string bad = dir_.Path("bad.kvc");
  WriteFileBytes(bad, std::string("KVLA\x80\0\0\0", 8) + "short");
  CommandResult result = RunCommand({KORVALINK_SIM_PATH, "--image", bad, "--link", Link()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("truncated"), std::string::npos) << result.err;
  EXPECT_FALSE(IsLink(Link()));

  WriteFileBytes(Link(), "precious");
  result = RunCommand({KORVALINK_SIM_PATH, "--link", Link()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("not a symbolic link"), std::string::npos) << result.err;
  EXPECT_EQ(ReadFileBytes(Link()), "precious");
}

TEST_F(KorvalinkSimTest, RemovesItsLinkWhenStopped) {
  SimProcess& sim = Start({});
  EXPECT_TRUE(IsLink(Link()));
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_FALSE(IsLink(Link()));
  EXPECT_NE(sim.Log().find("stopped"), std::string::npos);
}

TEST_F(KorvalinkSimTest, BannerFaults) {
  const struct {
    const char* fault;
    std::string reply;
  } cases[] = {
      {"silent", ""},
      {"not-banner", "Not a Korvalink"},
      {"short-banner", "Korvalink"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Start({"--fault", c.fault});
    EXPECT_EQ(Ask(kVersion), c.reply);
  }
}

TEST_F(KorvalinkSimTest, ImageFaults) {
  Start({"--fault", "silent"});
  EXPECT_EQ(Ask(kRead), "");

  Start({"--fault", "blank"});
  EXPECT_EQ(Ask(kRead), std::string(kImageSize, '\xff'));

  Start({"--fault", "unstable"});
  const std::string first = Ask(kRead);
  const std::string second = Ask(kRead);
  EXPECT_EQ(first.size(), 128u);
  EXPECT_EQ(second.size(), 128u);
  EXPECT_NE(first, second);

  Start({"--fault", "short-readback"});
  EXPECT_EQ(Ask(kRead), DefaultImage());
  Write(PatternImage());
  EXPECT_EQ(Ask(kRead), PatternImage().substr(0, kImageSize - 1));

  Start({"--fault", "changed-readback"});
  Write(PatternImage());
  const std::string readBack = Ask(kRead);
  ASSERT_EQ(readBack.size(), 128u);
  int differences = 0;
  for (int i = 0; i < kImageSize; ++i) differences += readBack[i] != PatternImage()[i];
  EXPECT_EQ(differences, 1);
}

TEST_F(KorvalinkSimTest, HangupDropsTheLineMidWriteAndServesOnANewOne) {
  const std::string save = dir_.Path("saved.kvc");
  SimProcess& sim = Start({"--fault", "hangup", "--save", save});
  const std::string firstSlave = sim.SlavePath();
  {
    TermiosClient client(Link(), B4800);
    EXPECT_FALSE(client.Send(kWriteHeader + PatternImage()));
    EXPECT_TRUE(client.HungUp());
  }
  EXPECT_FALSE(access(save.c_str(), F_OK) == 0);
  EXPECT_NE(LinkTarget(Link()), firstSlave);
  EXPECT_NE(LinkTarget(Link()), "");
  EXPECT_EQ(Ask(kRead), DefaultImage());
}

}  // namespace
}  // namespace korvaset::testing
