#include "file_lock.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tallix {

namespace {

// The process id a lock file holds: its leading digits, nothing else of a file that may have
// been tampered with.
std::string holderOf(const std::filesystem::path& path) {
  std::string id;
  try {
    for (char c : readFileBytes(path).value_or("")) {
      if (!std::isdigit(static_cast<unsigned char>(c)) || id.size() == 20) break;
      id += c;
    }
  } catch (const FileError&) {
  }
  return id;
}

}  // namespace

FileLocked::FileLocked(const std::filesystem::path& path, std::string holder)
    : SaidError(path.string() + ": locked" + (holder.empty() ? "" : " by process " + holder)),
      holder_(std::move(holder)) {}

FileLock::FileLock(const std::filesystem::path& path) {
  lock(path, true);
}

FileLock FileLock::existing(const std::filesystem::path& path) {
  FileLock held;
  held.lock(path, false);
  return held;
}

#ifdef _WIN32

// The lock is the file opened for writing without sharing its writes: another program's open
// fails with a sharing violation, while the process id stays readable.
void FileLock::lock(const std::filesystem::path& path, bool writeOwner) {
  if (!writeOwner) return;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) throw FileLocked(path, holderOf(path));
    throw FileError(path, "Windows error " + std::to_string(error));
  }
  handle_ = file;
  owned_ = path;
  const std::string id = std::to_string(GetCurrentProcessId()) + "\r\n";
  DWORD written = 0;
  WriteFile(file, id.data(), static_cast<DWORD>(id.size()), &written, nullptr);
  SetEndOfFile(file);
}

FileLock::~FileLock() {
  if (handle_ == nullptr) return;
  CloseHandle(handle_);
  // Another program that opened the file since keeps it: its open shares no deletion.
  if (!owned_.empty()) DeleteFileW(owned_.c_str());
}

FileLock::FileLock(FileLock&& other) noexcept
    : owned_(std::move(other.owned_)), handle_(std::exchange(other.handle_, nullptr)) {}

#else

namespace {

// Whether `fd` is still the file at `path`: a holder removes its lock file before it releases
// the lock, so a lock taken on a file that was removed meanwhile guards nothing.
bool stillAt(int fd, const std::filesystem::path& path) {
  struct stat opened {
  }, named{};
  return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

void FileLock::lock(const std::filesystem::path& path, bool writeOwner) {
  for (;;) {
    fd_ = open(path.c_str(), (writeOwner ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC, 0644);
    if (fd_ < 0) throw FileError(path, std::strerror(errno));
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      close(std::exchange(fd_, -1));
      if (error == EWOULDBLOCK) throw FileLocked(path, writeOwner ? holderOf(path) : "");
      throw FileError(path, std::strerror(error));
    }
    if (!writeOwner || stillAt(fd_, path)) break;
    close(std::exchange(fd_, -1));  // removed by the holder that just ended: make it afresh
  }
  if (writeOwner) {
    owned_ = path;
    const std::string id = std::to_string(getpid()) + "\n";
    if (ftruncate(fd_, 0) == 0) {
      [[maybe_unused]] const auto written = pwrite(fd_, id.data(), id.size(), 0);
    }
  }
}

FileLock::~FileLock() {
  if (fd_ < 0) return;
  // Removed while still held, so that no other program can lock the file on its way out.
  if (!owned_.empty()) unlink(owned_.c_str());
  close(fd_);
}

FileLock::FileLock(FileLock&& other) noexcept
    : owned_(std::move(other.owned_)), fd_(std::exchange(other.fd_, -1)) {}

#endif

}  // namespace tallix
