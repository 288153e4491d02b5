// Profile (INI) files with the behaviour of the Windows profile functions, on every platform:
// sections and keys are found without regard to ASCII letter case, the first section and the
// first key of a name win, blanks (space, tab, vertical tab) around section names, keys and
// values in the file are ignored, a matching pair of quotes around a value is removed on
// reading, lines starting with ";" are comments, LF, CRLF and CR all end a line, and a missing
// file, section or key reads as "". The names given to a read or a write lose their spaces
// only; an empty key names a "=value" line.
//
// Text is CP932 on disk and UTF-8 here. A file that starts with a UTF-16LE byte-order mark is
// read and written in UTF-16LE, as Windows does; one that starts with a UTF-8 mark in UTF-8
// (Windows would read the mark as part of the first line and lose that section), and keeps its
// mark. Either way the values pass through CP932, as they do through the Windows "A" functions.
// A file without a mark is CP932, unless it is loaded as a text that may be UTF-8 (the settings,
// which a Linux editor writes in UTF-8): then well-formed UTF-8 with non-ASCII text is UTF-8.
//
// A write replaces the value of an existing key in place (keeping the file's spelling of the
// key), adds a missing key after the last key line of its section (a line written with a key
// starting with ";" is a comment: it goes there too, before the comments written earlier),
// adds a missing section at the end of the file and creates a missing file; every other byte
// stays as it was, and the lines it writes end with CRLF.
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
  // What a file without a byte-order mark is in.
  enum class Unmarked { cp932, utf8WhenValid };

  explicit ProfileFile(std::string_view bytes = {}, Unmarked unmarked = Unmarked::cp932);

  // A missing file gives an empty profile; a file that exists but cannot be read throws
  // FileError.
  static ProfileFile load(const std::filesystem::path& path, Unmarked unmarked = Unmarked::cp932);

  // The value of a key, at most 254 CP932 bytes of it (never half a double-byte character),
  // or "" when the section or key is absent.
  std::string value(std::string_view section, std::string_view key) const;

  bool hasSection(std::string_view section) const;

  // The names of the keys of a section, in file order.
  std::vector<std::string> keys(std::string_view section) const;

  // The names of the sections, in file order; a name given twice is listed twice.
  std::vector<std::string> sections() const;

  // The line (1-based, as an editor counts them) of the section's header, or of the first key
  // of that name in the section, in bytes(); 0 when the section or key is absent.
  std::size_t line(std::string_view section) const;
  std::size_t line(std::string_view section, std::string_view key) const;

  void write(std::string_view section, std::string_view key, std::string_view value);
  void apply(const ProfileWrite& w);

  // Removes the first key of that name from the section, as the Windows write does when it is
  // given no value. Nothing happens when the section or key is absent.
  void remove(std::string_view section, std::string_view key);

  std::string bytes() const;

  // Writes bytes() to the path atomically; throws FileError when it cannot.
  void save(const std::filesystem::path& path) const;

 private:
  // How the file holds its text: lines are kept in CP932 for an ANSI file, in UTF-8 for the
  // other two.
  enum class Encoding { ansi, utf8, utf8Unmarked, utf16le };
  struct Line {
    std::string text;  // without the line end
    std::string eol;   // "\r\n", "\n", "\r", or "" for a last line without a line end
    bool removed = false;
    std::size_t nextSame = kNone;  // the next line of the section with the same key
  };
  struct Section {
    Line header;
    std::vector<Line> body;
    std::size_t insertAt = 0;  // just after the last key line (or line without "=") of the body
    std::unordered_map<std::string, std::size_t> keys;  // folded key name -> first live line
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  static void indexKey(Section& section, std::string_view key, std::size_t index);
  void addLine(std::string text, std::string eol);
  void insertLine(Section& section, std::string text);
  void addSection(const std::string& name, std::string firstLine);
  std::size_t findSection(std::string_view name) const;  // its index, or kNone
  std::size_t linesBefore(std::size_t section) const;    // the live lines before its header
  Line* lastLiveLine();
  std::string toFile(std::string_view utf8) const;
  std::string toProgram(std::string_view text, std::size_t maxBytes) const;

  Encoding encoding_ = Encoding::ansi;
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
