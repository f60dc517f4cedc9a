// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The device buttons end to end: the form on the platform's serial port, against
// korvalink-sim on a real pseudo-terminal.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "files/config_file.h"
#include "form_fixture.h"
#include "platform/serial_port.h"

namespace korvaset {
namespace {

using Lines = std::vector<std::string>;

// A simulated tracker whose link COM1 resolves to, for the length of a test.
class Tracker {
 public:
  explicit Tracker(std::vector<std::string> arguments = {})
      : link_(dir_.Path("korvalink")), sim_(WithLink(std::move(arguments), link_)) {
    setenv("KORVASET_COM1", link_.c_str(), 1);
  }
  ~Tracker() { unsetenv("KORVASET_COM1"); }

  bool Ready() const { return sim_.Ready(); }
  std::string Log() const { return sim_.Log(); }
  bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
  // What the simulator logged after the first line that contains marker.
  std::string LogAfter(const std::string& marker) const {
    const std::string log = Log();
    const std::size_t at = log.find(marker);
    return at == std::string::npos ? std::string() : log.substr(at + marker.size());
  }

 private:
  static std::vector<std::string> WithLink(std::vector<std::string> arguments,
                                           const std::string& link) {
    arguments.insert(arguments.end(), {"--link", link});
    return arguments;
  }

  testing::TempDir dir_;
  std::string link_;
  testing::SimProcess sim_;
};

// The form on the platform's port, which COM1 of the tracker leads to.
struct TrackerForm : FormFixture {
  TrackerForm() : FormFixture(MakePlatformSerialPort()) {}
};

TEST(DeviceOperationsTest, ReadVersionFindsTheTrackerAt9600AndTheTonesFollow) {
  Tracker tracker({"--baud", "9600"});
  ASSERT_TRUE(tracker.Ready());
  TrackerForm f;

  f.Press(kIdReadVersion);
  EXPECT_EQ(f.Shown(), Lines{"Korvalink Version: Korvalink 1.0 simulated"});
  EXPECT_EQ(f.form.Link().BaudRate(), 9600);
  EXPECT_TRUE(tracker.Logged("at 4800 baud (answering at 9600 only)"));

  for (const int id : {kIdSendLowTone, kIdSendHighTone, kIdSendBothTones, kIdStopSending}) {
    f.Press(id);
  }
  for (int i = 0; i < 100 && tracker.LogAfter("tone both").find("tone stop") == std::string::npos;
       ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const std::string tones = tracker.LogAfter("version request");
  EXPECT_EQ(tones.find("ignored"), std::string::npos) << tones;
  std::vector<std::string> heard;
  for (const char* name : {"stop", "low (1200 Hz)", "high (2200 Hz)", "both"}) {
    const std::string line = std::string("tone ") + name;
    for (std::size_t at = tones.find(line); at != std::string::npos;
         at = tones.find(line, at + 1)) {
      heard.push_back(name);
    }
  }
  EXPECT_EQ(heard.size(), 8u) << tones;  // every tone is preceded by a stop
  EXPECT_EQ(f.boxes.shown.size(), 1u);
}

TEST(DeviceOperationsTest, ReadConfigOnTheSecondaryTabDecodesBothProfiles) {
  ConfigRecord stored;
  stored.SetCallsign("PRIME-1");
  stored.visibleProfile = 1;
  stored.SetCallsign("SECOND-2");
  stored.baud300[1] = 1;
  stored.manualTxRate[1] = 45;
  testing::TempDir files;
  const std::string image = files.Path("tracker.kvc");
  ASSERT_FALSE(SaveConfigFile(stored, image));
  Tracker tracker({"--image", image});
  ASSERT_TRUE(tracker.Ready());
  TrackerForm f;
  f.SwitchTab(1);
  f.Type(kIdCallsign, "EDITED");  // not stored: the read replaces it

  f.Press(kIdReadConfig);
  EXPECT_EQ(f.Shown(), Lines{"Korvalink Read: Read Successful"});
  EXPECT_EQ(f.items.SelectedTab(kIdProfileTabs), 1);
  EXPECT_EQ(f.Text(kIdCallsign), "SECOND-2");
  EXPECT_EQ(f.Text(kIdManualTxRate), "45");
  EXPECT_EQ(f.Text(kIdSendLowTone), "Send 1600 Hz");
  ConfigRecord expected;
  ASSERT_TRUE(LoadConfigFile(expected, image));
  expected.visibleProfile = 1;
  EXPECT_EQ(f.Record(), expected);
  EXPECT_EQ(Stored(f.Record().callsign[0]), "PRIME-1");
}

TEST(DeviceOperationsTest, WriteConfigAfterTheEmergencyQuestionShowsWhatTheTrackerStores) {
  testing::TempDir files;
  const std::string saved = files.Path("written.kvc");
  Tracker tracker({"--save", saved});
  ASSERT_TRUE(tracker.Ready());
  TrackerForm f;
  f.SwitchTab(1);
  f.Type(kIdCallsign, "SECOND-2");
  f.items.SelectListEntry(kIdMicEMessage, 7);  // "Emergency!"
  f.SwitchTab(0);
  f.Type(kIdCallsign, "PRIME-1");
  f.Type(kIdManualTxDelay, "125");
  f.boxes.answers = {MessageAnswer::kOk};

  f.Press(kIdWriteConfig);
  ASSERT_EQ(f.boxes.shown.size(), 2u);
  EXPECT_EQ(f.boxes.shown[0].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(f.Shown()[1], "Korvalink Write: Write Successful");
  EXPECT_EQ(f.Text(kIdManualTxDelay), "127");  // the tracker keeps the delay in steps
  EXPECT_TRUE(tracker.Logged("image write: stored 128 bytes"));
  ConfigRecord fromTracker;
  ASSERT_TRUE(LoadConfigFile(fromTracker, saved));
  EXPECT_EQ(Stored(fromTracker.callsign[0]), "PRIME-1");
  EXPECT_EQ(Stored(fromTracker.callsign[1]), "SECOND-2");
  EXPECT_EQ(fromTracker.micEMessage[1], 7);
  fromTracker.visibleProfile = 0;
  EXPECT_EQ(f.Record(), fromTracker);
}

TEST(DeviceOperationsTest, AFaultyTrackerLeavesTheForm) {
  struct Case {
    const char* fault;
    int button;
    Lines shown;
    int refreshes;
  };
  const Case cases[] = {
      {"unstable", kIdReadConfig, {"Korvalink Read: Read Failed"}, 1},
      {"blank",
       kIdReadConfig,
       {"Error: Bad EE Image: the image is blank (every byte is 0xFF), so the tracker holds no "
        "configuration.",
        "Korvalink Read: Read Failed"},
       1},
      {"short-readback", kIdWriteConfig, {"Error: Write Failed (code 128 127)"}, 0},
      {"changed-readback", kIdWriteConfig, {"Error: Write Failed"}, 0},
  };
  for (const Case& c : cases) {
    Tracker tracker({"--fault", c.fault});
    ASSERT_TRUE(tracker.Ready());
    TrackerForm f;
    f.Type(kIdManualTxDelay, "125");
    f.Type(kIdCallsign, "K1ABC");
    const int refreshes = f.Refreshes();

    f.Press(c.button);
    EXPECT_EQ(f.Shown(), c.shown) << c.fault;
    EXPECT_EQ(f.Text(kIdManualTxDelay), "125") << c.fault;  // as typed: nothing was decoded
    EXPECT_EQ(f.Text(kIdCallsign), "K1ABC") << c.fault;
    // Write Config stored the form before it failed; Read Config left the record.
    EXPECT_EQ(Stored(f.Record().callsign[0]), c.button == kIdWriteConfig ? "K1ABC" : "NOCALL");
    EXPECT_EQ(f.Refreshes() - refreshes, c.refreshes) << c.fault;
  }
}

}  // namespace
}  // namespace korvaset
