// Profile (INI) files with the behaviour of the Windows profile functions, on every platform:
// sections and keys are found without regard to ASCII letter case, the first section and the
// first key of a name win, blanks around keys and values are trimmed, a matching pair of quotes
// around a value is removed on reading, lines starting with ";" are comments, LF and CRLF both
// read, and a missing file, section or key reads as "". Text is CP932 on disk and UTF-8 here.
//
// A write replaces the value of an existing key in place, adds a missing key after the last
// non-blank line of its section, adds a missing section at the end of the file and creates a
// missing file; every other byte stays as it was, and the lines it writes end with CRLF.
//
// ProfileFile is the batch form: it parses a file once, applies any number of reads and writes
// in memory and saves the result with one atomic replace. The file it saves is byte for byte
// the file that the same writes made one by one with WriteProfile would leave.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tallix {

// One write of a key; without a value it removes the key.
struct ProfileWrite {
  std::string section;
  std::string key;
  std::optional<std::string> value;
};

class ProfileFile {
 public:
  explicit ProfileFile(std::string_view cp932Bytes = {});

  // A missing file gives an empty profile; a file that exists but cannot be read throws
  // FileError.
  static ProfileFile load(const std::filesystem::path& path);

  // The value of a key, at most 254 CP932 bytes of it (never half a double-byte character),
  // or "" when the section or key is absent.
  std::string value(std::string_view section, std::string_view key) const;

  // The names of the keys of a section, in file order.
  std::vector<std::string> keys(std::string_view section) const;

  void write(std::string_view section, std::string_view key, std::string_view value);
  void apply(const ProfileWrite& w);

  // Removes the first key of that name from the section, as the Windows write does when it is
  // given no value. Nothing happens when the section or key is absent.
  void remove(std::string_view section, std::string_view key);

  std::string bytes() const;

  // Writes bytes() to the path atomically; throws FileError when it cannot.
  void save(const std::filesystem::path& path) const;

 private:
  struct Line {
    std::string text;  // CP932 bytes without the line end
    std::string eol;   // "\r\n", "\n", or "" for a last line without a line end
    bool removed = false;
    std::size_t nextSame = kNone;  // the next line of the section with the same key
  };
  struct Section {
    Line header;
    std::vector<Line> body;
    std::size_t insertAt = 0;  // just after the last non-blank line of the body
    std::unordered_map<std::string, std::size_t> keys;  // folded key name -> first live line
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  void addLine(std::string text, std::string eol);
  const Section* findSection(std::string_view cp932Name) const;
  Line* lastLiveLine();

  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};

// One key read from a file; "" when the file, section or key is absent or unreadable.
std::string ReadProfile(std::string_view section, std::string_view key,
                        const std::filesystem::path& path);

// One key written into a file at once (atomically); non-zero on success, 0 on failure, which
// leaves the old file whole.
int WriteProfile(std::string_view section, std::string_view key, std::string_view value,
                 const std::filesystem::path& path);
int WriteProfile(const ProfileWrite& w, const std::filesystem::path& path);

}  // namespace tallix
