// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Runs the real korvaset-cli on real files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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
  // A shell command may go first, such as a ulimit.
  Result Run(const std::vector<std::string>& args, const std::string& out = "",
             const std::string& in = "/dev/null", const std::string& first = "") {
    std::string command = first + Quote(KORVASET_CLI);
    for (const std::string& a : args) command += " " + Quote(a);
    const std::string outPath = out.empty() ? (dir_ / "stdout").string() : out;
    const std::string errPath = (dir_ / "stderr").string();
    command += " >" + Quote(outPath) + " 2>" + Quote(errPath) + " <" + Quote(in);
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

TEST_F(CliTest, NewAndExportRefuseAnExistingFileUnlessForced) {
  { std::ofstream(file_) << "mine"; }
  const Result refused = Run({"new", file_});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(Read(file_), "mine");

  EXPECT_EQ(Run({"new", "--force", file_}).status, 0);
  EXPECT_EQ(Run({"hex", file_}).out, kDefaultHex);

  const std::string text = (dir_ / "t.kvc").string();
  korvaset::testing::WriteFileBytes(text, "mine");
  EXPECT_EQ(Run({"export", file_, text}).status, 1);
  EXPECT_EQ(Read(text), "mine");
  EXPECT_EQ(Run({"export", "--force", file_, text}).status, 0);
  EXPECT_EQ(Read(text), Run({"export", file_}).out);
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
  const Result set = Run({"set", "--no-check", file_, "primary.manualTxDelay=125",
                          "secondary.callsign=n0call-9", "secondary.symbol=k", "primary.sendNmea=1",
                          "rxLevel=300", "primary.micEPath=-1", "secondary.statusText=a=b c",
                          "primary.statusText=Gr\xC3\xBC\xC3\x9F!", "primary.autoTxRate=99999"});
  ASSERT_EQ(set.status, 0) << set.err;
  // What was wrapped, clamped or cut; not what rounds to a step or changes letter case.
  EXPECT_EQ(set.err,
            "rxLevel: 300 is kept as 255\n"
            "primary.micEPath: -1 is kept as 255\n"
            "primary.autoTxRate: 99999 is kept as 34463\n");
  const std::vector<std::string> lines = Lines(Run({"show", file_}).out);
  for (const char* line :
       {"primary.manualTxDelay = 127", "secondary.callsign = N0CALL-9", "secondary.symbol = k",
        "primary.sendNmea = 1", "rxLevel = 255", "primary.micEPath = 255",
        "secondary.statusText = a=b c", "primary.callsign = NOCALL",
        "primary.statusText = Gr\xC3\xBC\xC3\x9F!"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
  // One byte a character, as the tracker keeps them.
  EXPECT_NE(Read(file_).find("Gr\xFC\xDF!"), std::string::npos);
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
      {"primary.statusText=12\xE2\x82\xAC", "U+20AC"},
      {"primary.statusText=Caf\xE9", "not UTF-8"},
      {"noequals", "noequals"},
      {"rxLevel=2", "rxLevel is given more than once"},
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

// What export writes, import turns back into the same bytes, also for what show can't say
// exactly: times kept in steps, blank path addresses, a Secondary stored apart.
TEST_F(CliTest, ExportThenImportGivesTheSameFile) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const std::string defaults = Run({"export", file_}).out;
  EXPECT_EQ(defaults.rfind("# Korvalink configuration, written by Korvaset ", 0), 0u);
  EXPECT_NE(defaults.find("\nprimary.manualTxDelay = 125  # the tracker uses 127 ms\n"),
            std::string::npos);

  ASSERT_EQ(Run({"set", file_, "primary.digiPath=,WIDE2-1, ", "secondary.callsign=nocall",
                 "secondary.statusText=\"\\\t\xC3\xA9", "primary.baud300=1"})
                .status,
            0);
  const std::string text = (dir_ / "f.txt").string();
  ASSERT_EQ(Run({"export", file_, text}).status, 0);
  const std::string exported = Read(text);
  EXPECT_NE(exported.find("\nsecondary.statusText = \"\\\"\\\\\\x09\xC3\xA9\"\n"),
            std::string::npos);
  const std::string copy = (dir_ / "g.kvc").string();
  const Result import = Run({"import", "-", copy}, "", text);
  ASSERT_EQ(import.status, 0) << import.err;
  EXPECT_EQ(Read(copy), Read(file_));
  EXPECT_EQ(Run({"export", copy}).out, exported);

  // What editors and other systems do to a text changes nothing.
  std::string messy = "\xEF\xBB\xBF";
  for (const std::string& line : Lines(exported)) {
    messy += "\t" + std::regex_replace(line, std::regex(" = "), " =\t") + "  \r\n";
  }
  messy.resize(messy.size() - 2);
  korvaset::testing::WriteFileBytes(text, messy);
  EXPECT_EQ(Run({"import", "--force", text, copy}).status, 0);
  EXPECT_EQ(Read(copy), Read(file_));
}

// A text with any problem names each line and writes nothing.
TEST_F(CliTest, ImportRefusesABadTextWhole) {
  const struct {
    std::string text;
    int status;
    const char* error;
  } cases[] = {
      {"rxLevel = 80\nprimary.nosuch = 1\n", 2, "line 2: primary.nosuch: unknown name"},
      {"rxLevel = 80\nrxLevel = 81\n", 2, "line 2: rxLevel: given again (first on line 1)"},
      {"# c\n\nrxLevel 80\n", 2, "line 3: expected name = value"},
      {"rxLevel = 8o\n", 2, "line 1: rxLevel: not a whole number"},
      {"primary.callsign = N0CALL\n", 2, "line 1: primary.callsign: a text is written in"},
      {"primary.statusText = \"12\xE2\x82\xAC\"\n", 2,
       "line 1: primary.statusText: \"\xE2\x82\xAC\" (U+20AC) is not a Latin-1 character"},
      {"primary.statusText = \"Caf\xE9\"\n", 2,
       "line 1: primary.statusText: the text is not UTF-8"},
      {"KVLA\x80" + std::string(3, '\0'), 2, "this is no text: it holds a zero byte at offset 5"},
      {std::string(300 * 1024, '#'), 2, "too large for a configuration text"},
      // Values the tracker can't keep as written: a time may only round to its step.
      {"primary.autoTxRate = 99999\n", 2,
       "line 1: primary.autoTxRate: the tracker can't keep 99999: it keeps 0 to 65535, and "
       "would hold 34463"},
      {"headerByte = 256\n", 2, "line 1: headerByte: the tracker can't keep 256"},
      {"rxLevel = 256\n", 2, "line 1: rxLevel: the tracker can't keep 256"},
      {"txTwist = -1\n", 2, "line 1: txTwist: the tracker can't keep -1"},
      {"primary.autoTxDelay = 1701\n", 2, "it keeps 0 to 1700 ms, and would hold 1700"},
      {"primary.manualTxDelay = 6801\nprimary.baud300 = 1\n", 2,
       "line 1: primary.manualTxDelay: the tracker can't keep 6801: it keeps 0 to 6800 ms"},
      {"secondary.quietTime = 6707\n", 2, "line 1: secondary.quietTime: the tracker can't keep"},
      {"primary.callsign = \"AB1CDEFG-3\"\n", 2,
       "line 1: primary.callsign: the tracker can't keep \"AB1CDEFG-3\": it keeps up to 6 "
       "letters and digits, then nothing or a hyphen and an SSID of 0 to 15, and would hold "
       "\"AB1CDE-3\""},
      {"primary.callsign = \"N0CALL-16\"\n", 2, "would hold \"N0CALL\""},
      {"primary.digiPath = \"WIDE1-1,WI.DE\"\n", 2, "would hold \"WIDE1-1,WI\""},
      {"primary.symbol = \"\\x1F\"\n", 2, "would hold \"-\""},
      {"secondary.symbolTable = \"\xC3\xA9\"\n", 2, "would hold \"/\""},
      {"primary.callsign = \"AA1AAA-1\"\nprimary.smartBeaconing = 1\n"
       "secondary.smartBeaconing = 1\nprimary.digiPath = \"WIDE1-1,WIDE2-2,WIDE3-3\"\n"
       "secondary.digiPath = \"WIDE1-1,WIDE2-2,WIDE3-4\"\n",
       1, "Configuration Too Large: "},
  };
  const std::string text = (dir_ / "t.txt").string();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    korvaset::testing::WriteFileBytes(text, c.text);
    const Result r = Run({"import", text, file_});
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file_));
  }
}

// As diff(1): 0 the same, 1 different, 2 trouble. --image also compares bytes that the
// fields don't show (byte 3 repeats the header byte and is never read).
TEST_F(CliTest, DiffNamesTheFieldsThatDiffer) {
  const std::string other = (dir_ / "g.kvc").string();
  ASSERT_EQ(Run({"new", file_}).status, 0);
  ASSERT_EQ(Run({"new", other}).status, 0);
  std::string bytes = Read(other);
  bytes[8 + 3] = 0x11;
  korvaset::testing::WriteFileBytes(other, bytes);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
  } cases[] = {
      {{"diff", file_, other}, 0, ""},
      {{"diff", "--image", file_, other}, 1, "image byte 3: 80 -> 11\n"},
      {{"diff", file_, (dir_ / "missing.kvc").string()}, 2, ""},
  };
  for (const auto& c : cases) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
  }
  ASSERT_EQ(Run({"set", other, "primary.callsign=N0CALL-7", "rxLevel=80"}).status, 0);
  const Result r = Run({"diff", file_, other});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "rxLevel: 100 -> 80\n"
            "primary.callsign: \"NOCALL\" -> \"N0CALL-7\"\n");
}

// A file as a tracker may hold it, with times at steps that a decode and a second encode
// would move: 1 step decodes to 7 ms, which encodes as 2, and the default 19 steps to 127 ms,
// which encodes as 20. set changes the bytes of what it names, and no others.
TEST_F(CliTest, SetChangesOnlyTheBytesOfWhatItNames) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  std::string bytes = Read(file_);
  bytes[8 + 4] = 1;  // primary.autoTxDelay
  korvaset::testing::WriteFileBytes(file_, bytes);

  Result r = Run({"set", file_, "primary.autoTxDelay=7", "secondary.manualTxDelay=127",
                  "secondary.quietTime=526", "rxLevel=100"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Read(file_), bytes);

  r = Run({"set", file_, "rxLevel=42"});
  ASSERT_EQ(r.status, 0) << r.err;
  bytes[8 + 52] = 42;
  EXPECT_EQ(Read(file_), bytes);
}

// A file with a second name is written in place; a save that fails half-way, here at the
// file size limit (512 bytes), gets the old bytes back.
TEST_F(CliTest, AFailedSaveInPlaceLeavesTheOldBytes) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  const std::string text = (dir_ / "t.txt").string();
  const std::string old(300, 'x');
  korvaset::testing::WriteFileBytes(text, old);
  fs::create_hard_link(text, dir_ / "second-name.txt");
  const Result r = Run({"export", "--force", file_, text}, "", "/dev/null", "ulimit -f 1; ");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "korvaset-cli: could not write " + text + "\n");
  EXPECT_EQ(Read(text), old);
}

}  // namespace

// check exits as diff does: 0 nothing above a note, 1 a warning or an error, 2 trouble.
TEST_F(CliTest, CheckFindsWhatGoesAgainstPracticeAndExitsAsDiffDoes) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  Result r = Run({"check", file_});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Lines(r.out).size(), 2u);
  EXPECT_TRUE(r.out.starts_with("primary.callsign: error: \"NOCALL\" is a placeholder")) << r.out;
  EXPECT_NE(r.out.find("\nsecondary.callsign: error: "), std::string::npos) << r.out;
  EXPECT_EQ(Run({"check", file_, "--ignore", "tx-delay,placeholder-callsign"}).status, 0);
  EXPECT_EQ(Run({"check", file_, "--ignore", "no-such-rule"}).status, 2);

  // An own call with the defaults is clean; the steps the file holds are no finding.
  ASSERT_EQ(Run({"set", file_, "primary.callsign=W1AW-9", "secondary.callsign=W1AW-9"}).status, 0);
  r = Run({"check", file_});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");

  // A text is checked before it is encoded: 2000 ms can't be kept.
  const std::string text = (dir_ / "t.txt").string();
  korvaset::testing::WriteFileBytes(text, "primary.autoTxDelay = 2000\n");
  r = Run({"check", text});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("primary.autoTxDelay: warning: 2000 ms is kept as 1700 ms"),
            std::string::npos)
      << r.out;

  // Trouble: the messages show and import give, and 2.
  korvaset::testing::WriteFileBytes(text, "rxLevel = 8o\n");
  r = Run({"check", text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, Run({"import", text, (dir_ / "x.kvc").string()}).err);
  const std::string damaged = (dir_ / "d.kvc").string();
  korvaset::testing::WriteFileBytes(damaged, "KVLA\x80");
  r = Run({"check", damaged});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, Run({"show", damaged}).err);
  EXPECT_EQ(Run({"check", (dir_ / "none.kvc").string()}).status, 2);
  EXPECT_EQ(Run({"check"}).status, 2);
}

// set and import name the problems of what they wrote after their own messages; their exit
// status stays theirs.
TEST_F(CliTest, SetAndImportReportProblemsOnStandardError) {
  ASSERT_EQ(Run({"new", file_}).status, 0);
  Result r = Run({"set", file_, "primary.digiPath=RELAY,WIDE2-2"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("primary.digiPath: warning: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("[obsolete-path]"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("note:"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"set", file_, "rxLevel=80", "--no-check"}).err, "");
  // A value set names as kept differently is named once.
  EXPECT_EQ(Run({"set", file_, "rxLevel=300"}).err.find("[stored-differently]"), std::string::npos);

  const std::string text = (dir_ / "t.txt").string();
  korvaset::testing::WriteFileBytes(text, "primary.digiPath = \"RELAY,WIDE2-2\"\n");
  r = Run({"import", text, (dir_ / "i.kvc").string()});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("primary.digiPath: warning: "), std::string::npos) << r.err;
}
