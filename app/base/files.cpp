#include "files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "say.h"

namespace tallix {

FileError::FileError(const std::filesystem::path& path, Said reason)
    : SaidError(Say::tr("%1: %2", {path.string(), reason})),
      path_(path),
      reason_(std::move(reason)) {}

namespace {

#ifdef _WIN32
// The path as Windows names it, in UTF-16: a narrow name would go through the system's code
// page, which cannot hold every name.
std::FILE* openForReading(const std::filesystem::path& path) {
  return _wfopen(path.c_str(), L"rb");
}
#else
std::FILE* openForReading(const std::filesystem::path& path) {
  return std::fopen(path.c_str(), "rb");
}
#endif

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  std::FILE* f = openForReading(path);
  if (f == nullptr) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(path, std::strerror(errno));
  }
  std::string bytes;
  char buf[65536];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const int error = std::ferror(f) ? errno : 0;
  std::fclose(f);
  if (error != 0) throw FileError(path, std::strerror(error));
  return bytes;
}

std::filesystem::path writeTarget(const std::filesystem::path& path) {
  std::filesystem::path target = path;
  std::error_code ec;
  // Bounded, as the system's own lookup is: a loop of links ends in an error on the write.
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, ec); ++hops) {
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

std::filesystem::path pathOf(std::string_view utf8) {
  return std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

std::filesystem::path freeName(const std::filesystem::path& path, const std::string& suffix) {
  std::filesystem::path name = path;
  name += pathOf(suffix);
  for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(name)); ++n) {
    name = path;
    name += pathOf(suffix + "." + std::to_string(n));
  }
  return name;
}

#ifdef _WIN32

namespace {

// The reason for a Windows error code, in the C library's words where the cause is one of the
// usual ones, so that a message reads the same on every platform.
std::string windowsError(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::strerror(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::strerror(ENOSPC);
    default:
      return "Windows error " + std::to_string(code);
  }
}

// Writes all of `bytes` to the file; 0 or the error.
DWORD writeAll(HANDLE file, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return 0;
}

// Writes the file itself, where its folder does not let a temporary file be made: not atomic,
// but the only way to keep what is written. False when the file cannot be opened for writing.
bool writeInPlace(const std::filesystem::path& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD error = writeAll(file, bytes);
  if (error == 0 && !(SetEndOfFile(file) && FlushFileBuffers(file))) error = GetLastError();
  CloseHandle(file);
  if (error != 0) throw FileError(path, windowsError(error));
  return true;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  const std::filesystem::path path = writeTarget(requested);
  // A name of its own beside the file, made with CREATE_NEW: a temporary file that a crash left
  // behind, or one of another writer, is never written into.
  static std::atomic<unsigned> serial{0};
  std::filesystem::path tmp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
    tmp = path;
    tmp += ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    file = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    const DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) break;
    if (error == ERROR_ACCESS_DENIED && writeInPlace(path, bytes)) return;
    if (error != ERROR_FILE_EXISTS || attempt == 100)
      throw FileError(requested, windowsError(error));
  }
  // The bytes reach the disk before the rename makes them the file's.
  DWORD error = writeAll(file, bytes);
  if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
  CloseHandle(file);
  if (error != 0) {
    DeleteFileW(tmp.c_str());
    throw FileError(requested, windowsError(error));
  }
  if (!MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(tmp.c_str());
    throw FileError(requested, windowsError(error));
  }
}

std::optional<std::string> whyNotWritable(const std::filesystem::path& path) {
  const std::filesystem::path target = writeTarget(path);
  // Windows lets files be made in a folder whatever the folder's read-only flag says.
  if (_waccess(target.c_str(), 0) == 0 ? _waccess(target.c_str(), 2) == 0
                                       : _waccess(target.parent_path().c_str(), 0) == 0) {
    return std::nullopt;
  }
  return std::string(std::strerror(errno));
}

std::string AppDir() {
  wchar_t buf[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buf, 32768);
  std::string dir = std::filesystem::path(std::wstring(buf, n)).parent_path().string();
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

#else

namespace {

// Makes a temporary file of its own beside `path` (a crash's leftover or another writer's file
// is never opened: O_EXCL), and names it in `tmp`; the descriptor, or -1 with errno. The kernel
// gives it the mode a new file of this process gets, 0666 less the umask: the umask belongs to
// the whole process and every thread in it, so nothing here reads or changes it.
int makeTemporary(const std::filesystem::path& path, std::string& tmp) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0;; ++attempt) {
    tmp = path.string() + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
  }
}

// Writes all of `bytes` to the file; 0 or the error.
int writeAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Writes the file itself, where its folder does not let a temporary file be made: not atomic,
// but the only way to keep what is written. False when the file cannot be opened for writing.
bool writeInPlace(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int error = writeAll(fd, bytes);
  if (error == 0 && (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || fsync(fd) != 0)) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) throw FileError(path, std::strerror(error));
  return true;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  const std::filesystem::path path = writeTarget(requested);
  std::string tmp;
  int fd = makeTemporary(path, tmp);
  if (fd < 0) {
    const int error = errno;
    if ((error == EACCES || error == EPERM) && writeInPlace(path, bytes)) return;
    throw FileError(requested, std::strerror(error));
  }
  // Any failure from here on leaves the old file as it was and no temporary file behind.
  auto fail = [&](int error) {
    if (fd >= 0) close(fd);
    unlink(tmp.c_str());
    throw FileError(requested, std::strerror(error));
  };
  if (const int error = writeAll(fd, bytes); error != 0) fail(error);
  // A file replaced keeps its mode.
  struct stat old {};
  if (stat(path.c_str(), &old) == 0 && fchmod(fd, old.st_mode & 07777) != 0) fail(errno);
  if (fsync(fd) != 0) fail(errno);
  if (close(std::exchange(fd, -1)) != 0) fail(errno);
  if (rename(tmp.c_str(), path.c_str()) != 0) fail(errno);
  // The rename itself reaches the disk only with its folder: until then a power cut can bring
  // the old file back, so a folder that cannot be synced is a failed write too.
  const std::filesystem::path dir = path.parent_path();
  const int dirFd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) throw FileError(requested, std::strerror(errno));
  const int synced = fsync(dirFd) == 0 ? 0 : errno;
  close(dirFd);
  // Some file systems (and some mounts of them) cannot sync a folder and say so with EINVAL:
  // there the rename is as durable as the file system makes it.
  if (synced != 0 && synced != EINVAL) throw FileError(requested, std::strerror(synced));
}

std::optional<std::string> whyNotWritable(const std::filesystem::path& path) {
  const std::filesystem::path target = writeTarget(path);
  const std::filesystem::path dir = target.parent_path();
  if (access(target.c_str(), F_OK) == 0
          ? access(target.c_str(), W_OK) == 0
          : access(dir.empty() ? "." : dir.c_str(), W_OK | X_OK) == 0) {
    return std::nullopt;
  }
  return std::string(std::strerror(errno));
}

std::string AppDir() {
  std::error_code ec;
  std::string dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
  if (dir.empty()) dir = std::filesystem::current_path().string();
  if (dir.back() != '/') dir += '/';
  return dir;
}

#endif

}  // namespace tallix
