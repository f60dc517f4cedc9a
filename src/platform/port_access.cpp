// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "platform/port_access.h"

#ifdef _WIN32

namespace korvaset {

std::string ExplainPortAccess(const std::string&) {
  return {};
}

}  // namespace korvaset

#else

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace korvaset {

namespace {

std::string ModeText(mode_t mode) {
  std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : S_ISREG(mode) ? "-" : "?";
  const char* letters = "rwxrwxrwx";
  for (int bit = 0; bit < 9; ++bit) text += (mode & (0400 >> bit)) ? letters[bit] : '-';
  return text;
}

std::string UserName(uid_t uid) {
  const passwd* entry = getpwuid(uid);
  return entry ? entry->pw_name : std::to_string(uid);
}

std::string GroupName(gid_t gid) {
  const group* entry = getgrgid(gid);
  return entry ? entry->gr_name : std::to_string(gid);
}

// Whether this process runs with the group now (it joined before this login began).
bool ProcessHasGroup(gid_t gid) {
  if (getegid() == gid) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// Whether the user database lists the user in the group (it may have been added since login).
bool UserListedInGroup(gid_t gid) {
  const passwd* user = getpwuid(getuid());
  if (user == nullptr) return false;
  int count = 64;
  for (int attempt = 0; attempt < 2; ++attempt) {
#ifdef __APPLE__
    std::vector<int> groups(static_cast<std::size_t>(count));
    const int found =
        getgrouplist(user->pw_name, static_cast<int>(user->pw_gid), groups.data(), &count);
    if (found >= 0) {
      return std::find(groups.begin(), groups.begin() + count, static_cast<int>(gid)) !=
             groups.begin() + count;
    }
#else
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int found = getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count);
    if (found >= 0) {
      return std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
    }
#endif
  }
  return false;
}

}  // namespace

std::string ExplainPortAccess(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  if (access(path.c_str(), R_OK | W_OK) == 0) return {};
  const std::string owner = UserName(info.st_uid);
  const std::string groupName = GroupName(info.st_gid);
  const std::string facts =
      " (owner " + owner + ", group " + groupName + ", mode " + ModeText(info.st_mode) + ")";
  const bool groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
  if (!groupMayUse || info.st_gid == 0) {
    return path + facts + " is open to " + owner +
           " alone: a udev rule must give it to a group such as dialout, then join that group";
  }
  if (!ProcessHasGroup(info.st_gid) && UserListedInGroup(info.st_gid)) {
    return path + facts + " belongs to group " + groupName + ": you are in it, but this login " +
           "began before you joined; log in again (or run newgrp " + groupName + ")";
  }
  return path + facts + " belongs to group " + groupName + ": add yourself with sudo usermod -aG " +
         groupName + " $USER, then log in again";
}

}  // namespace korvaset

#endif
