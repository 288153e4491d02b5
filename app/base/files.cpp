#include "files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tallix {

FileError::FileError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(path.string() + ": " + reason), path_(path), reason_(reason) {}

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.string().c_str(), "rb");
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

#ifdef _WIN32

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw FileError(path, "cannot write " + tmp.string());
  }
  if (!MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    std::filesystem::remove(tmp);
    throw FileError(path, "cannot replace the file (error " + std::to_string(GetLastError()) + ")");
  }
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

// The mode a new file gets from this process: 0666 less the umask.
mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::string tmp = path.string() + ".tmp-XXXXXX";
  const int fd = mkstemp(tmp.data());
  if (fd < 0) throw FileError(path, std::strerror(errno));
  auto fail = [&](int error) {
    close(fd);
    unlink(tmp.c_str());
    throw FileError(path, std::strerror(error));
  };
  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(errno);
    done += static_cast<std::size_t>(n);
  }
  if (fchmod(fd, mode) != 0 || fsync(fd) != 0) fail(errno);
  if (close(fd) != 0) {
    const int error = errno;
    unlink(tmp.c_str());
    throw FileError(path, std::strerror(error));
  }
  if (rename(tmp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(tmp.c_str());
    throw FileError(path, std::strerror(error));
  }
  // Make the rename itself durable.
  std::filesystem::path dir = path.parent_path();
  const int dirFd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
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
