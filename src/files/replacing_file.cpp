// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "files/replacing_file.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <string_view>

#include "platform/utf8_path.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <optional>
#include <string_view>
#ifdef __linux__
#include <sys/xattr.h>

#include <map>
#endif
#endif

namespace korvaset {

namespace fs = std::filesystem;

namespace {

// Follows symbolic links to the file they finally name, which need not exist yet.
fs::path FollowLinks(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
    fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// A regular file, or none yet, is replaced by renaming; anything else is written in place.
bool Replaceable(const fs::path& path) {
  std::error_code error;
  const fs::file_type type = fs::symlink_status(path, error).type();
  return type == fs::file_type::regular || type == fs::file_type::not_found;
}

// A path without a file name (an empty one) would only fail at the rename, after the data
// was written, and so be reported as a failed write instead of a file that can't be created.
bool HasFileName(const fs::path& target) {
  return !target.filename().empty();
}

unsigned ProcessId() {
#ifdef _WIN32
  return static_cast<unsigned>(GetCurrentProcessId());
#else
  return static_cast<unsigned>(getpid());
#endif
}

// A name beside the target that no one else is likely to use; creation is exclusive, so a
// clash only costs another attempt.
fs::path TemporaryName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks =
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%08x",
                ticks ^ (ProcessId() << 16) ^ (counter++ * 2654435761u));
  // Cut a long name so the temporary's name stays within the folder's limit. The name is
  // taken as the system spells it (UTF-16 on Windows), so any character survives.
  fs::path name = ".";
  name += target.filename().native().substr(0, 64);
  name += std::string(".") + suffix + ".tmp";
  return target.parent_path() / name;
}

constexpr int kCreateAttempts = 100;

// The largest file written in place whose old bytes are kept to restore it; a configuration
// is 136 bytes and its text a few kilobytes.
constexpr std::uintmax_t kMostBytesKept = 1024 * 1024;

}  // namespace

ReplacingFile::~ReplacingFile() {
  if (written_) RestoreOldBytes();
  Close();
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
  }
}

#ifdef _WIN32

namespace {

// Removes what killed saves of this target left beside it: temporaries named as
// TemporaryName names them. One that is still open (a save under way in another program)
// can't be deleted and stays.
void RemoveLeftoverTemporaries(const fs::path& target) {
  const std::wstring example = TemporaryName(target).filename().wstring();
  const std::size_t suffixSize = std::wstring_view(L"xxxxxxxx.tmp").size();
  const std::wstring prefix = example.substr(0, example.size() - suffixSize);  // ".NAME."
  const fs::path folder = target.parent_path();
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((folder / (prefix + L"*.tmp")).c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring_view name = found.cFileName;
    // The pattern also matches short (8.3) names and other suffixes; only ours go.
    if (name.size() != example.size() || !name.starts_with(prefix) || !name.ends_with(L".tmp")) {
      continue;
    }
    const std::wstring_view hex = name.substr(prefix.size(), 8);
    if (hex.find_first_not_of(L"0123456789abcdef") != std::wstring_view::npos) continue;
    DeleteFileW((folder / name).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

bool ReplacingFile::Open(const std::string& path) {
  // In Windows' own spelling, which every call takes (Wine's ReplaceFileW finds the folder
  // only after a backslash).
  target_ = FollowLinks(Utf8Path(path)).make_preferred();
  const std::wstring target = target_.wstring();
  if (!Replaceable(target_)) {
    HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = h;
    return true;
  }
  if (!HasFileName(target_)) return false;
  RemoveLeftoverTemporaries(target_);

  // The file there now, opened as ReplaceFileW will open it. When it may only be written
  // (the folder or its ACL forbids deleting it, or its user shares it for writing alone),
  // it is written in place; when it can't even be written (read-only, in use, no
  // permission), it is refused and stays as it was.
  HANDLE existing = INVALID_HANDLE_VALUE;
  if (const DWORD attributes = GetFileAttributesW(target.c_str());
      attributes != INVALID_FILE_ATTRIBUTES) {
    // Windows refuses to write a read-only file; Wine run by root would not.
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    existing = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareAll,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool replaceable = existing != INVALID_HANDLE_VALUE;
    if (!replaceable) {
      existing = CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      if (existing == INVALID_HANDLE_VALUE) return false;
    }
    // A new file in its place would part it from its other names (hard links).
    BY_HANDLE_FILE_INFORMATION info{};
    if (!replaceable || !GetFileInformationByHandle(existing, &info) || info.nNumberOfLinks != 1) {
      handle_ = existing;
      inPlaceFile_ = true;
      KeepOldBytes();
      return true;
    }
  }
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    fs::path candidate = TemporaryName(target_);
    HANDLE h = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      if (existing != INVALID_HANDLE_VALUE) CloseHandle(existing);
      handle_ = h;
      temporary_ = std::move(candidate);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  // A folder that takes no new file: an existing file is still written where it is.
  if (existing == INVALID_HANDLE_VALUE) return false;
  handle_ = existing;
  inPlaceFile_ = true;
  KeepOldBytes();
  return true;
}

void ReplacingFile::KeepOldBytes() {
  oldBytes_.reset();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_, &size) ||
      static_cast<std::uintmax_t>(size.QuadPart) > kMostBytesKept) {
    return;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t got = 0;
  while (got < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(handle_, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &read,
                  nullptr) ||
        read == 0) {
      break;  // opened for writing only: nothing to restore with
    }
    got += read;
  }
  const LARGE_INTEGER start{};
  if (SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) && got == bytes.size()) {
    oldBytes_ = std::move(bytes);
  }
}

bool ReplacingFile::RestoreOldBytes() {
  const LARGE_INTEGER start{};
  const bool ok = oldBytes_ && handle_ != nullptr &&
                  SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) && Write(*oldBytes_) &&
                  SetEndOfFile(handle_) && FlushFileBuffers(handle_);
  written_ = false;
  return ok;
}

bool ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
  written_ = inPlaceFile_;
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes = bytes.subspan(written);
  }
  return true;
}

bool ReplacingFile::Commit() {
  // A file written in place ends where the new contents end.
  bool ok = !inPlaceFile_ || SetEndOfFile(handle_);
  // Devices have nothing to flush; a file must be on the disk.
  ok = (FlushFileBuffers(handle_) || (temporary_.empty() && !inPlaceFile_)) && ok;
  if (!ok && inPlaceFile_) RestoreOldBytes();
  written_ = false;
  ok = CloseHandle(std::exchange(handle_, nullptr)) && ok;
  if (temporary_.empty() || !ok) return ok;
  const std::wstring target = target_.wstring();
  const std::wstring temporary = temporary_.wstring();
  // ReplaceFileW gives the new file the old one's attributes, ACL and creation time; a file
  // that isn't there (any more) is only renamed into place.
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    ok = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr);
  } else {
    ok = MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  if (ok) temporary_.clear();
  return ok;
}

void ReplacingFile::Close() {
  if (handle_ != nullptr) CloseHandle(std::exchange(handle_, nullptr));
}

#else

namespace {

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool SameFile(int fd, const fs::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A save holds this lock on its temporary file until the rename, so a temporary whose lock
// can be taken belongs to no living save. Where the file system has no locks, nothing is
// ever taken for a leftover.
bool Lock(int fd) {
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR);
}

// Whether name is one that TemporaryName gives for a target: "." + prefix, 8 hex digits, ".tmp".
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return false;
  name.remove_prefix(prefix.size());
  return name.size() == 12 && name.ends_with(".tmp") &&
         std::all_of(name.begin(), name.begin() + 8,
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// Removes what killed saves of the target left behind: temporaries under our name for it,
// of our user, that no living save holds locked.
void RemoveLeftovers(const fs::path& target) {
  const std::string prefix = "." + target.filename().string().substr(0, 64) + ".";
  std::error_code error;
  for (fs::directory_iterator it(FolderOf(target), error), end; !error && it != end;
       it.increment(error)) {
    const fs::path path = it->path();
    if (!IsTemporaryName(path.filename().string(), prefix)) continue;
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) fd = ::open(path.c_str(), O_WRONLY | flags);  // a write-only target's copy
    if (fd < 0) continue;
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                      (::geteuid() == 0 || st.st_uid == ::geteuid());
    if (ours && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path)) ::unlink(path.c_str());
    ::close(fd);
  }
}

#ifdef __linux__
// Every extended attribute (an ACL, a security label) of the file; nothing when they can't
// all be read.
std::optional<std::map<std::string, std::string> > Attributes(int fd) {
  std::map<std::string, std::string> attributes;
  ssize_t size = ::flistxattr(fd, nullptr, 0);
  if (size < 0) return errno == ENOTSUP ? std::optional(attributes) : std::nullopt;
  std::string names(static_cast<std::size_t>(size), '\0');
  size = ::flistxattr(fd, names.data(), names.size());
  if (size < 0) return std::nullopt;
  names.resize(static_cast<std::size_t>(size));
  for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    ssize_t length = ::fgetxattr(fd, name, nullptr, 0);
    if (length < 0) return std::nullopt;
    std::string value(static_cast<std::size_t>(length), '\0');
    length = ::fgetxattr(fd, name, value.data(), value.size());
    if (length < 0) return std::nullopt;
    value.resize(static_cast<std::size_t>(length));
    attributes[name] = std::move(value);
  }
  return attributes;
}
#endif

// Gives the new file the owner, group and permissions of the old one. False when that isn't
// allowed, or when the old file has attributes the new one would lack: the rename would
// then change more than the contents.
bool TakeOver(int fresh, int old) {
  struct stat was {};
  struct stat is {};
  if (::fstat(old, &was) != 0 || ::fstat(fresh, &is) != 0) return false;
  if ((is.st_uid != was.st_uid || is.st_gid != was.st_gid) &&
      ::fchown(fresh, was.st_uid, was.st_gid) != 0) {
    return false;
  }
  if (::fchmod(fresh, was.st_mode & 07777) != 0) return false;
#ifdef __linux__
  const auto before = Attributes(old);
  return before && before == Attributes(fresh);
#else
  return true;
#endif
}

}  // namespace

bool ReplacingFile::Open(const std::string& path) {
  target_ = FollowLinks(path);
  route_ = Route::kInPlace;
  if (!Replaceable(target_)) {
    // Without O_NONBLOCK a FIFO that no one reads would wait for a reader forever.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return false;
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    route_ = Route::kDevice;
    return true;
  }
  if (!HasFileName(target_)) return false;
  // Opened without creating or cutting it: a file the user may not write is refused, and
  // this is the handle that writes in place when a rename would change more than the bytes.
  // Read as well, where allowed, to keep the old bytes should it be written in place.
  constexpr int kFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int existing = ::open(target_.c_str(), O_RDWR | kFlags);
  if (existing < 0 && errno == EACCES) existing = ::open(target_.c_str(), O_WRONLY | kFlags);
  if (existing < 0 && errno != ENOENT) return false;
  struct stat old {};
  if (existing >= 0) {
    if (::fstat(existing, &old) != 0 || !S_ISREG(old.st_mode)) {
      ::close(existing);
      return false;
    }
    ::fcntl(existing, F_SETFL, ::fcntl(existing, F_GETFL) & ~O_NONBLOCK);
  }
  // A second link would keep the old contents; a folder we may not write takes no temporary.
  if (existing < 0 || old.st_nlink == 1) {
    RemoveLeftovers(target_);
    if (OpenTemporary() && (existing < 0 || TakeOver(fd_, existing))) {
      if (existing >= 0) ::close(existing);
      return true;
    }
    Close();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  if (existing < 0) return false;
  fd_ = existing;
  route_ = Route::kInPlace;
  KeepOldBytes();
  return true;
}

void ReplacingFile::KeepOldBytes() {
  oldBytes_.reset();
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || static_cast<std::uintmax_t>(st.st_size) > kMostBytesKept) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t read =
        ::pread(fd_, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) return;  // opened for writing only: nothing to restore with
    got += static_cast<std::size_t>(read);
  }
  oldBytes_ = std::move(bytes);
}

bool ReplacingFile::RestoreOldBytes() {
  written_ = false;
  if (!oldBytes_ || fd_ < 0) return false;
  std::span<const std::uint8_t> rest = *oldBytes_;
  while (!rest.empty()) {
    const auto at = static_cast<off_t>(oldBytes_->size() - rest.size());
    const ssize_t written = ::pwrite(fd_, rest.data(), rest.size(), at);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    rest = rest.subspan(static_cast<std::size_t>(written));
  }
  return ::ftruncate(fd_, static_cast<off_t>(oldBytes_->size())) == 0 && ::fsync(fd_) == 0;
}

bool ReplacingFile::OpenTemporary() {
  const fs::path folder = FolderOf(target_);
#ifdef O_TMPFILE
  // 0666 less the umask, as for any new file. An unnamed file vanishes with a killed save;
  // it gets its name only at the end, through /proc.
  fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ >= 0) {
    struct stat st {};
    if (::stat(ProcPath().c_str(), &st) == 0 && Lock(fd_)) {
      route_ = Route::kUnnamed;
      return true;
    }
    Close();
  } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return false;  // the folder refuses us; an unnamed file fails for the same reason
  }
#endif
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    fs::path candidate = TemporaryName(target_);
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    // A save that sweeps leftovers may have taken this one between its creation and our
    // lock; then another name is tried.
    if (Lock(fd_) && SameFile(fd_, candidate)) {
      temporary_ = std::move(candidate);
      route_ = Route::kNamed;
      return true;
    }
    Close();
  }
  return false;
}

std::string ReplacingFile::ProcPath() const {
  return "/proc/self/fd/" + std::to_string(fd_);
}

bool ReplacingFile::NameTemporary() {
  if (route_ != Route::kUnnamed) return true;
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    fs::path candidate = TemporaryName(target_);
    if (::linkat(AT_FDCWD, ProcPath().c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) ==
        0) {
      temporary_ = std::move(candidate);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
  written_ = route_ == Route::kInPlace;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool ReplacingFile::Commit() {
  if (route_ == Route::kDevice) {
    // A device or FIFO may not support flushing; that is no failure.
    const bool ok = ::fsync(fd_) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP;
    return ::close(std::exchange(fd_, -1)) == 0 && ok;
  }
  if (route_ == Route::kInPlace) {
    // Written over the old bytes from the start; a longer old file is cut after them.
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    const bool ok = end >= 0 && ::ftruncate(fd_, end) == 0 && ::fsync(fd_) == 0;
    if (!ok) RestoreOldBytes();
    written_ = false;
    return ::close(std::exchange(fd_, -1)) == 0 && ok;
  }
  // The file stays open, and so locked, until it has its place.
  const bool ok =
      ::fsync(fd_) == 0 && NameTemporary() && ::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (ok) temporary_.clear();
  Close();
  if (!ok) return false;
  // Make the rename itself survive a crash; a folder that can't be synced costs nothing.
  const int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

void ReplacingFile::Close() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

#endif

}  // namespace korvaset
