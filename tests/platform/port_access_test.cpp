// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The advice for a user who may not open a serial device. Run as another user in a child
// process, since root may open anything.
#include "platform/port_access.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace korvaset {
namespace {

// ExplainPortAccess(path) as the user nobody, whose groups hold neither dialout nor root.
std::string ExplainAsNobody(const std::string& path) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
        setuid(nobody->pw_uid) != 0) {
      _exit(2);
    }
    const std::string text = ExplainPortAccess(path);
    if (::write(pipeFds[1], text.data(), text.size()) < 0) _exit(3);
    _exit(0);
  }
  ::close(pipeFds[1]);
  std::string text;
  char chunk[256];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  ::close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child failed";
  return text;
}

TEST(PortAccessTest, NamesOwnerGroupModeAndTheGroupToJoin) {
  if (getuid() != 0 || getpwnam("nobody") == nullptr || getgrnam("dialout") == nullptr) {
    GTEST_SKIP() << "needs root to act as another user, and the users nobody and dialout";
  }
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("korvaset-access-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::permissions(dir, fs::perms::all);
  const std::string device = (dir / "ttyUSB0").string();
  std::ofstream(device).put('x');
  ASSERT_EQ(chown(device.c_str(), 0, getgrnam("dialout")->gr_gid), 0);

  ASSERT_EQ(chmod(device.c_str(), 0660), 0);
  EXPECT_EQ(ExplainAsNobody(device),
            device + " (owner root, group dialout, mode -rw-rw----) belongs to group dialout: " +
                "add yourself with sudo usermod -aG dialout $USER, then log in again");

  ASSERT_EQ(chmod(device.c_str(), 0600), 0);
  EXPECT_NE(ExplainAsNobody(device).find("is open to root alone"), std::string::npos);

  ASSERT_EQ(chmod(device.c_str(), 0666), 0);
  EXPECT_EQ(ExplainAsNobody(device), "");  // nothing stands in the way
  EXPECT_EQ(ExplainPortAccess((dir / "absent").string()), "");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvaset
