#include "files/replacing_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <string_view>

#include "platform/utf8_path.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

ReplacingFile::~ReplacingFile() {
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
  return true;
}

bool ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
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

bool ReplacingFile::Open(const std::string& path) {
  target_ = FollowLinks(path);
  if (!Replaceable(target_)) {
    // Without O_NONBLOCK a FIFO that no one reads would wait for a reader forever.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return false;
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
  }
  if (!HasFileName(target_)) return false;
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists) {
    // A file the user may not write (read-only) is refused, not replaced behind its back.
    const int probe = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) return false;
    ::close(probe);
  }
  for (int attempt = 0; attempt < kCreateAttempts && fd_ < 0; ++attempt) {
    fs::path candidate = TemporaryName(target_);
    // 0666 less the umask, as for any new file.
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temporary_ = std::move(candidate);
    } else if (errno != EEXIST) {
      return false;
    }
  }
  if (fd_ < 0) return false;
  if (exists) {
    // The replacement keeps the owner (where we may set it) and the permissions.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
        // Only the owner changes; the data is what matters.
      }
    }
    ::fchmod(fd_, existing.st_mode & 07777);
  }
  return true;
}

bool ReplacingFile::Write(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool ReplacingFile::Commit() {
  // A device or FIFO written in place may not support flushing; that is no failure.
  bool ok = ::fsync(fd_) == 0 ||
            (temporary_.empty() && (errno == EINVAL || errno == EROFS || errno == ENOTSUP));
  ok = ::close(std::exchange(fd_, -1)) == 0 && ok;
  if (temporary_.empty()) return ok;
  ok = ok && ::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (!ok) return false;
  temporary_.clear();
  // Make the rename itself survive a crash; a folder that can't be synced costs nothing.
  const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
