// One program per file: an exclusive lock held as long as the object lives. A lock file made
// for it is removed when the lock is released, so a program that ends cleanly leaves none
// behind. The system drops the lock when the program ends in any way, so a lock file left by a
// program that crashed or lost its power is simply taken over by the next one.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "files.h"

namespace tallix {

// The lock is held by another program; `holder` is its process id as it wrote it, or "" when
// it is not known.
class FileLocked : public SaidError {
 public:
  FileLocked(const std::filesystem::path& path, std::string holder);
  const std::string& holder() const { return holder_; }

 private:
  std::string holder_;
};

class FileLock {
 public:
  // Locks `path`, a lock file made when missing, and writes this process's id into it for a
  // program that finds the lock taken; the file is removed with the lock. Throws FileLocked
  // when another program holds it, and FileError when the lock file cannot be made or opened.
  explicit FileLock(const std::filesystem::path& path);
  // Locks an existing file without writing to it or removing it (the file a program writes in
  // place, where no lock file can be made beside it). On Windows, whose locks would keep the
  // program's own writes out, nothing is locked.
  static FileLock existing(const std::filesystem::path& path);
  ~FileLock();
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&&) = delete;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  FileLock() = default;
  void lock(const std::filesystem::path& path, bool writeOwner);

  std::filesystem::path owned_;  // the lock file made for the lock, removed with it

#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace tallix
