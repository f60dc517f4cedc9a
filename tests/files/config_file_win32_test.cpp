// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The Windows file layer: wide paths, replacing by ReplaceFileW, and the files it must
// leave alone. Runs under Wine in the cross-build's tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/config_file.h"
#include "platform/recording_message_boxes.h"
#include "platform/utf8_path.h"
#include "support/temp_dir.h"

namespace korvaset {
namespace {

namespace fs = std::filesystem;

// Owns a handle of the test's own, such as another program's hold on a file.
class OpenFile {
 public:
  OpenFile(const std::string& path, DWORD share)
      : handle_(CreateFileW(Utf8Path(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OpenFile() {
    if (Valid()) CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  BY_HANDLE_FILE_INFORMATION Info() const {
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(handle_, &info);
    return info;
  }

 private:
  HANDLE handle_;
};

class WindowsConfigFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return temp_.Path(name); }
  std::string Read(const std::string& name) const { return testing::ReadFileBytes(PathOf(name)); }
  void Write(const std::string& name, const std::string& bytes) const {
    testing::WriteFileBytes(PathOf(name), bytes);
  }
  std::vector<std::string> Entries() const { return testing::FilesIn(temp_.Root()); }

  // The file's identity and its number of names.
  std::pair<ULONGLONG, DWORD> IdentityAndLinks(const std::string& name) const {
    const BY_HANDLE_FILE_INFORMATION info = OpenFile(PathOf(name), FILE_SHARE_READ).Info();
    return {(ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow, info.nNumberOfLinks};
  }

  void ExpectOnly(const std::string& text, const std::string& caption) const {
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, text);
    EXPECT_EQ(boxes_.shown[0].caption, caption);
  }

  static ConfigRecord Edited() {
    ConfigRecord record;
    record.rxLevel = 80;
    return record;
  }

  testing::TempDir temp_;
  RecordingMessageBoxes boxes_;
  ScopedMessageBoxes scope_{boxes_};
};

TEST_F(WindowsConfigFileTest, NonAsciiPathsSaveAndLoad) {
  const std::string folder = "Einstellungen für Øresund Ω";
  ASSERT_TRUE(fs::create_directory(Utf8Path(PathOf(folder))));
  const std::string path = PathOf(folder + "/Grüße 北.kvc");
  ConfigRecord record = Edited();
  EXPECT_FALSE(SaveConfigFile(record, path));
  EXPECT_FALSE(SaveConfigFile(record, path));  // and over an existing file
  EXPECT_TRUE(fs::exists(Utf8Path(path)));
  EXPECT_EQ(testing::FilesIn(Utf8Path(PathOf(folder))), std::vector<std::string>{"Grüße 北.kvc"});
  ConfigRecord loaded;
  ASSERT_TRUE(LoadConfigFile(loaded, path));
  EXPECT_EQ(loaded.rxLevel, 80);
  EXPECT_TRUE(boxes_.shown.empty());
}

// A file with one name is replaced whole (a new file takes its place); a file with other
// names (hard links) is written where it is, so that every name sees the new contents.
TEST_F(WindowsConfigFileTest, OneNameIsReplacedAndHardLinksAreWrittenInPlace) {
  ConfigRecord record = Edited();
  ASSERT_FALSE(SaveConfigFile(record, PathOf("saved.kvc")));  // new: renamed into place
  const std::string saved = Read("saved.kvc");
  ASSERT_EQ(saved.size(), static_cast<std::size_t>(kConfigFileSize));

  Write("single.kvc", std::string(300, 'x'));
  const auto [singleBefore, singleLinks] = IdentityAndLinks("single.kvc");
  EXPECT_FALSE(SaveConfigFile(record, PathOf("single.kvc")));
  EXPECT_EQ(Read("single.kvc"), saved);
  EXPECT_NE(IdentityAndLinks("single.kvc").first, singleBefore);

  Write("shared.kvc", std::string(300, 'x'));
  ASSERT_TRUE(CreateHardLinkW(Utf8Path(PathOf("other name.kvc")).c_str(),
                              Utf8Path(PathOf("shared.kvc")).c_str(), nullptr));
  const auto sharedBefore = IdentityAndLinks("shared.kvc");
  EXPECT_FALSE(SaveConfigFile(record, PathOf("shared.kvc")));
  EXPECT_EQ(Read("shared.kvc"), saved);  // cut to the new length
  EXPECT_EQ(Read("other name.kvc"), saved);
  EXPECT_EQ(IdentityAndLinks("shared.kvc"), sharedBefore);

  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{"other name.kvc", "saved.kvc", "shared.kvc", "single.kvc"}));
}

TEST_F(WindowsConfigFileTest, ReadOnlyAndInUseFilesAreRefusedAndKept) {
  Write("read-only.kvc", "old");
  ASSERT_TRUE(
      SetFileAttributesW(Utf8Path(PathOf("read-only.kvc")).c_str(), FILE_ATTRIBUTE_READONLY));
  Write("in-use.kvc", "old");
  const OpenFile otherProgram(PathOf("in-use.kvc"), 0);  // shared with no one
  ASSERT_TRUE(otherProgram.Valid());
  for (const std::string name : {"read-only.kvc", "in-use.kvc"}) {
    SCOPED_TRACE(name);
    boxes_.shown.clear();
    ConfigRecord record = Edited();
    EXPECT_TRUE(SaveConfigFile(record, PathOf(name)));
    ExpectOnly("Failed to open file", "Save Failed");
    if (name == "read-only.kvc") {
      EXPECT_EQ(Read(name), "old");
    }
  }
  boxes_.shown.clear();
  ConfigRecord record;
  EXPECT_FALSE(LoadConfigFile(record, PathOf("in-use.kvc")));
  ExpectOnly("Failed to open file", "Load Failed");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in-use.kvc", "read-only.kvc"}));
}

// A save killed half-way leaves its temporary; the next save of the same file removes it,
// but not a temporary that is still open (another save under way) nor other files.
TEST_F(WindowsConfigFileTest, SaveRemovesTheLeftoversOfKilledSaves) {
  const std::vector<std::string> kept = {".a.kvc.89abcdef.tmp", ".a.kvc.notes.tmp",
                                         ".b.kvc.01234567.tmp", "a.kvc"};
  for (const std::string& name : kept) Write(name, "x");
  Write(".a.kvc.0123abcd.tmp", "x");
  Write(".a.kvc.fedcba98.tmp", "x");
  const OpenFile underWay(PathOf(".a.kvc.89abcdef.tmp"), 0);
  ASSERT_TRUE(underWay.Valid());
  ConfigRecord record;
  EXPECT_FALSE(SaveConfigFile(record, PathOf("a.kvc")));
  EXPECT_EQ(Entries(), kept);
  EXPECT_EQ(Read("a.kvc").size(), static_cast<std::size_t>(kConfigFileSize));
}

TEST_F(WindowsConfigFileTest, PathsThatCantBeUsed) {
  Write("short.kvc", std::string("KVLA\x80\0\0\0", 8) + std::string(92, '\0'));
  const struct {
    bool save;
    std::string path;
    const char* text;
  } cases[] = {
      {true, PathOf("missing/a.kvc"), "Failed to open file"},
      {true, temp_.Root().string(), "Failed to open file"},
      {false, PathOf("missing.kvc"), "Failed to open file"},
      {false, temp_.Root().string(), "Failed to open file"},
      {false, PathOf("short.kvc"), "Failed to read data"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    boxes_.shown.clear();
    ConfigRecord record;
    if (c.save) {
      EXPECT_TRUE(SaveConfigFile(record, c.path));
    } else {
      EXPECT_FALSE(LoadConfigFile(record, c.path));
    }
    ExpectOnly(c.text, c.save ? "Save Failed" : "Load Failed");
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"short.kvc"});
}

}  // namespace
}  // namespace korvaset
