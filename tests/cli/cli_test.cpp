// Runs the real korvaset-cli on real files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The default image as hex prints it.
constexpr const char* kDefaultHex =
    "38 38 80 80 2D 2D 13 13 78 78 00 00 1E 1E 00 00\n"
    "C0 C0 00 00 03 03 50 50 38 50 00 00 00 00 3E 3E\n"
    "2F 2F 14 14 03 03 00 00 09 09 00 00 00 00 00 00\n"
    "00 00 00 00 64 64 32 00 9C 9E 86 82 98 98 60 AE\n"
    "92 88 8A 62 40 62 AE 92 88 8A 64 40 63 03 F0 00\n"
    "4B 6F 72 76 61 6C 69 6E 6B 00 00 00 00 00 00 00\n"
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n";

struct Result {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  static std::string Quote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  }

  // Runs korvaset-cli with args; stdout goes to `out` unless redirected by the caller.
  Result Run(const std::vector<std::string>& args, const std::string& out = "") {
    std::string command = Quote(KORVASET_CLI);
    for (const std::string& a : args) command += " " + Quote(a);
    const std::string outPath = out.empty() ? (dir_ / "stdout").string() : out;
    const std::string errPath = (dir_ / "stderr").string();
    command += " >" + Quote(outPath) + " 2>" + Quote(errPath) + " </dev/null";
    const int raw = std::system(command.c_str());
    Result r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out.empty() ? Read(outPath) : "",
             Read(errPath)};
    return r;
  }

  static std::string Read(const std::string& path) {
    return korvaset::testing::ReadFileBytes(path);
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  korvaset::testing::TempDir temp_;
  fs::path dir_ = temp_.Root();
  std::string file_ = (dir_ / "f.kvc").string();
};

TEST_F(CliTest, NewWritesTheDefaultImage) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const Result hex = Run({"hex", file_});
  EXPECT_EQ(hex.status, 0);
  EXPECT_EQ(hex.out, kDefaultHex);
  EXPECT_EQ(hex.err, "");
}

TEST_F(CliTest, NewRefusesAnExistingFileUnlessForced) {
  { std::ofstream(file_) << "mine"; }
  const Result refused = Run({"new", file_});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(Read(file_), "mine");

  EXPECT_EQ(Run({"new", "--force", file_}).status, 0);
  EXPECT_EQ(Run({"hex", file_}).out, kDefaultHex);
}

TEST_F(CliTest, ShowListsSharedFieldsThenEachProfileFieldForBothProfiles) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const Result show = Run({"show", file_});
  ASSERT_EQ(show.status, 0);
  const std::vector<std::string> lines = Lines(show.out);
  ASSERT_GE(lines.size(), 12u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 12);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "headerByte = 128", "rxLevel = 100", "txLevel = 100", "txTwist = 50",
                      "primary.callsign = NOCALL", "secondary.callsign = NOCALL",
                      "primary.digiPath = WIDE1-1,WIDE2-1", "secondary.digiPath = WIDE1-1,WIDE2-1",
                      "primary.statusText = Korvalink", "secondary.statusText = Korvalink",
                      "primary.autoTxDelay = 300", "secondary.autoTxDelay = 300"}));
  EXPECT_EQ(lines.back(), "secondary.gps9600 = 0");
  // 4 shared fields and 49 per-profile fields, two lines each.
  EXPECT_EQ(lines.size(), 4u + 2u * 49u);
  for (const char* line :
       {"primary.manualTxDelay = 127", "primary.symbol = >", "secondary.symbolTable = /",
        "primary.quietTime = 526", "primary.sendAltitude = 1", "secondary.micE = 1"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

TEST_F(CliTest, SetStoresWhatTheImageHolds) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const Result set = Run({"set", file_, "primary.manualTxDelay=125", "secondary.callsign=n0call-9",
                          "secondary.symbol=k", "primary.sendNmea=1", "rxLevel=300",
                          "primary.micEPath=-1", "secondary.statusText=a=b c"});
  ASSERT_EQ(set.status, 0) << set.err;
  const std::vector<std::string> lines = Lines(Run({"show", file_}).out);
  for (const char* line :
       {"primary.manualTxDelay = 127", "secondary.callsign = N0CALL-9", "secondary.symbol = k",
        "primary.sendNmea = 1", "rxLevel = 255", "primary.micEPath = 255",
        "secondary.statusText = a=b c", "primary.callsign = NOCALL"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

TEST_F(CliTest, BadAssignmentsLeaveTheFileUntouched) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const std::string before = Read(file_);
  const struct {
    const char* assignment;
    const char* named;
  } cases[] = {
      {"primary.manualTxDelay=12x", "primary.manualTxDelay"},
      {"primary.manualTxDelay=", "primary.manualTxDelay"},
      {"primary.manualTxDelay= 5", "primary.manualTxDelay"},
      {"rxLevel=2147483648", "rxLevel"},
      {"primary.nosuchField=1", "primary.nosuchField"},
      {"rxLevel2=1", "rxLevel2"},
      {"primary.rxLevel=1", "primary.rxLevel"},
      {"manualTxDelay=1", "manualTxDelay"},
      {"visibleProfile=1", "visibleProfile"},
      {"primary.micE=2", "primary.micE"},
      {"primary.micE=yes", "primary.micE"},
      {"primary.symbol=ab", "primary.symbol"},
      {"primary.symbol=", "primary.symbol"},
      {"primary.callsign=ABCDEFGHIJKLMNOPQRST", "primary.callsign"},
      {"noequals", "noequals"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.assignment);
    // A good assignment beside the bad one must not be applied either.
    const Result r = Run({"set", file_, "rxLevel=1", c.assignment});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    EXPECT_EQ(Read(file_), before);
  }
}

TEST_F(CliTest, FailuresOfTheFileLayerExitWithOne) {
  { std::ofstream(dir_ / "plain") << "x"; }
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"new", (dir_ / "plain" / "x.kvc").string()}, "Save Failed: Failed to open file\n"},
      {{"new", "--force", "/dev/full"}, "Save Failed: Failed to write data\n"},
      {{"show", (dir_ / "missing.kvc").string()}, "Load Failed: Failed to open file\n"},
      {{"hex", (dir_ / "plain").string()}, "Load Failed: Invalid File Format\n"},
      {{"set", (dir_ / "missing.kvc").string(), "rxLevel=1"}, "Load Failed: Failed to open file\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    const Result r = Run(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.message);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing.kvc"));
}

TEST_F(CliTest, OutputThatCantBeWrittenIsAFailure) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  EXPECT_EQ(Run({"show", file_}, "/dev/full").status, 1);
  EXPECT_EQ(Run({"hex", file_}, "/dev/full").status, 1);
}

TEST_F(CliTest, UsageAndHelp) {
  EXPECT_EQ(Run({}).status, 2);
  EXPECT_EQ(Run({"frobnicate"}).status, 2);
  EXPECT_EQ(Run({"show"}).status, 2);
  EXPECT_EQ(Run({"set", file_}).status, 2);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"new", "--help"},
                                             {"show", "--help"},
                                             {"set", "--help"},
                                             {"hex", "--help"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.status, 0) << args.front();
    EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
  }
}

}  // namespace
