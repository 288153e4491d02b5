// Whole-file reads and crash-safe writes.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallix {

// A file that could not be read or written; the message names the path and the reason.
class FileError : public std::runtime_error {
 public:
  FileError(const std::filesystem::path& path, const std::string& reason);
  const std::filesystem::path& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path path_;
  std::string reason_;
};

// The bytes of a file; nullopt when it does not exist. Throws FileError when it exists but
// cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Replaces the file with `bytes` so that a crash at any moment leaves either the old or the
// new file: a temporary file beside it is written and flushed to disk, then renamed over the
// old one. Throws FileError and leaves the old file as it was when that cannot be done.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The directory that holds the running executable, with a trailing separator.
std::string AppDir();

}  // namespace tallix
