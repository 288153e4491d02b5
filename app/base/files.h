// Whole-file reads and crash-safe writes.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "say.h"

namespace tallix {

// A file that could not be read or written; the message names the path and the reason.
class FileError : public SaidError {
 public:
  FileError(const std::filesystem::path& path, Said reason);
  const std::filesystem::path& path() const { return path_; }
  const Said& reason() const { return reason_; }

 private:
  std::filesystem::path path_;
  Said reason_;
};

// The bytes of a file; nullopt when it does not exist. Throws FileError when it exists but
// cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// The file that a write of `path` reaches: a symbolic link's final target (also when that does
// not exist yet), so that a write keeps the link and updates what it points to.
std::filesystem::path writeTarget(const std::filesystem::path& path);

// Replaces the file with `bytes` so that a crash at any moment leaves either the old or the
// new file: a temporary file beside it (beside a link's target) is written and flushed to disk,
// then renamed over the old one. Where the folder cannot be written but the file can, the file
// is written in place and flushed instead. Throws FileError and leaves the old file as it was
// when the file cannot be written at all.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Why `path` could not be written (the reason, as a FileError would give it), or nullopt when
// it can: an existing file (a link's target) must be writable, a new one needs its folder.
std::optional<std::string> whyNotWritable(const std::filesystem::path& path);

// The first of `path` + suffix, `path` + suffix + ".1", ".2" … that does not exist yet.
std::filesystem::path freeName(const std::filesystem::path& path, const std::string& suffix);

// The path of a name held as text. The program holds every name as UTF-8 (from the command
// line, the settings, a dialog, the environment); a narrow string made a path directly would be
// read in the C library's code page on Windows, which turns 遊技 into other characters.
std::filesystem::path pathOf(std::string_view utf8);

// The directory that holds the running executable, with a trailing separator.
std::string AppDir();

}  // namespace tallix
