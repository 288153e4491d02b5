#include "profile.h"

#include <algorithm>

#include "cp932.h"
#include "files.h"

namespace tallix {

namespace {

constexpr std::string_view kCrlf = "\r\n";
constexpr std::size_t kMaxValueBytes = 254;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

// Blanks in the file: space, tab and vertical tab.
std::string_view trim(std::string_view s, std::string_view blanks = " \t\v") {
  const auto first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// A name given to a read or a write loses its spaces, and only those.
std::string_view trimSpaces(std::string_view s) {
  return trim(s, " ");
}

std::string fold(std::string_view s) {
  std::string folded(s);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool hasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

// What a line of the file is. A section header is "[" after blanks, its name running to the
// first "]" or the line's end; a key line has a "=" and is no comment; any other non-blank
// line counts, like a key line, as part of its section's keys for where new keys go.
struct Parsed {
  enum Kind { blank, comment, section, key, other } kind;
  std::string_view name;  // of a section or key, without the blanks around it
};

Parsed parseLine(std::string_view line) {
  const std::string_view t = trim(line);
  if (t.empty()) return {Parsed::blank, {}};
  if (t.front() == '[') {
    const auto close = t.find(']');
    return {Parsed::section,
            trim(t.substr(1, close == std::string_view::npos ? close : close - 1))};
  }
  if (t.front() == ';') return {Parsed::comment, {}};
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return {Parsed::other, {}};
  return {Parsed::key, trim(t.substr(0, eq))};
}

bool isEntry(const Parsed& p) {
  return p.kind == Parsed::key || p.kind == Parsed::other;
}

std::string_view valueOf(std::string_view line) {
  std::string_view v = trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes, Unmarked unmarked) {
  std::string decoded;
  if (bytes.starts_with(kUtf16LeBom)) {
    encoding_ = Encoding::utf16le;
    decoded = utf16leToUtf8(bytes.substr(kUtf16LeBom.size()));
    bytes = decoded;
  } else if (bytes.starts_with(kUtf8Bom)) {
    encoding_ = Encoding::utf8;
    bytes.remove_prefix(kUtf8Bom.size());
  } else if (unmarked == Unmarked::utf8WhenValid && isUtf8Text(bytes)) {
    encoding_ = Encoding::utf8Unmarked;
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      addLine(std::string(bytes.substr(pos)), "");
      break;
    }
    const std::size_t eolSize = bytes.compare(end, 2, kCrlf) == 0 ? 2 : 1;
    addLine(std::string(bytes.substr(pos, end - pos)), std::string(bytes.substr(end, eolSize)));
    pos = end + eolSize;
  }
}

// Links the line `index` of a section's body, a key line, into the lines of its key.
void ProfileFile::indexKey(Section& section, std::string_view key, std::size_t index) {
  const auto [it, inserted] = section.keys.try_emplace(fold(key), index);
  if (inserted) return;
  std::size_t i = it->second;
  while (section.body[i].nextSame != kNone) i = section.body[i].nextSame;
  section.body[i].nextSame = index;
}

void ProfileFile::addLine(std::string text, std::string eol) {
  const Parsed p = parseLine(text);
  if (p.kind == Parsed::section) {
    sectionIndex_.try_emplace(fold(p.name), sections_.size());
    sections_.push_back(Section{Line{std::move(text), std::move(eol)}, {}, 0, {}});
    return;
  }
  if (sections_.empty()) {
    preamble_.push_back(Line{std::move(text), std::move(eol)});
    return;
  }
  Section& section = sections_.back();
  const std::size_t index = section.body.size();
  if (p.kind == Parsed::key) indexKey(section, p.name, index);
  if (isEntry(p)) section.insertAt = index + 1;
  section.body.push_back(Line{std::move(text), std::move(eol)});
}

ProfileFile ProfileFile::load(const std::filesystem::path& path, Unmarked unmarked) {
  const auto bytes = readFileBytes(path);
  return bytes ? ProfileFile(*bytes, unmarked) : ProfileFile();
}

std::size_t ProfileFile::findSection(std::string_view name) const {
  const auto it = sectionIndex_.find(fold(name));
  return it == sectionIndex_.end() ? kNone : it->second;
}

std::string ProfileFile::toFile(std::string_view utf8) const {
  std::string ansi = utf8ToCp932(utf8);
  return encoding_ == Encoding::ansi ? ansi : cp932ToUtf8(ansi);
}

std::string ProfileFile::toProgram(std::string_view text, std::size_t maxBytes) const {
  const std::string ansi = encoding_ == Encoding::ansi ? std::string(text) : utf8ToCp932(text);
  return cp932ToUtf8(std::string_view(ansi).substr(0, cp932Prefix(ansi, maxBytes)));
}

std::string ProfileFile::value(std::string_view section, std::string_view key) const {
  const std::size_t found = findSection(toFile(trimSpaces(section)));
  if (found == kNone) return {};
  const Section& s = sections_[found];
  const auto it = s.keys.find(fold(toFile(trimSpaces(key))));
  if (it == s.keys.end()) return {};
  return toProgram(valueOf(s.body[it->second].text), kMaxValueBytes);
}

bool ProfileFile::hasSection(std::string_view section) const {
  return findSection(toFile(trimSpaces(section))) != kNone;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
  std::vector<std::string> names;
  const std::size_t found = findSection(toFile(trimSpaces(section)));
  if (found == kNone) return names;
  for (const Line& line : sections_[found].body) {
    const Parsed p = parseLine(line.text);
    if (!line.removed && p.kind == Parsed::key) names.push_back(toProgram(p.name, kNone));
  }
  return names;
}

std::vector<std::string> ProfileFile::sections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_)
    names.push_back(toProgram(parseLine(s.header.text).name, kNone));
  return names;
}

std::size_t ProfileFile::linesBefore(std::size_t section) const {
  const auto live = [](const std::vector<Line>& lines) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [](const Line& l) { return !l.removed; }));
  };
  std::size_t n = live(preamble_);
  for (std::size_t s = 0; s < section; ++s) n += 1 + live(sections_[s].body);
  return n;
}

std::size_t ProfileFile::line(std::string_view section) const {
  const std::size_t found = findSection(toFile(trimSpaces(section)));
  return found == kNone ? 0 : linesBefore(found) + 1;
}

std::size_t ProfileFile::line(std::string_view section, std::string_view key) const {
  const std::size_t found = findSection(toFile(trimSpaces(section)));
  if (found == kNone) return 0;
  const Section& s = sections_[found];
  const auto it = s.keys.find(fold(toFile(trimSpaces(key))));
  if (it == s.keys.end()) return 0;
  const auto body = s.body.begin();
  return linesBefore(found) + 1 +
         static_cast<std::size_t>(std::count_if(body,
                                                body + static_cast<std::ptrdiff_t>(it->second),
                                                [](const Line& l) { return !l.removed; })) +
         1;
}

ProfileFile::Line* ProfileFile::lastLiveLine() {
  for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
    for (auto line = s->body.rbegin(); line != s->body.rend(); ++line) {
      if (!line->removed) return &*line;
    }
    return &s->header;
  }
  return preamble_.empty() ? nullptr : &preamble_.back();
}

// A new line goes after the last key line of the section. A comment does not move that place,
// so comments written one after another stand newest first.
void ProfileFile::insertLine(Section& s, std::string text) {
  Line& before = s.insertAt == 0 ? s.header : s.body[s.insertAt - 1];
  if (before.eol.empty()) before.eol = kCrlf;
  const std::size_t index = s.insertAt;
  s.body.insert(s.body.begin() + static_cast<std::ptrdiff_t>(index),
                Line{std::move(text), std::string(kCrlf)});
  const Parsed p = parseLine(s.body[index].text);
  if (p.kind == Parsed::key) indexKey(s, p.name, index);
  if (isEntry(p)) ++s.insertAt;
}

void ProfileFile::addSection(const std::string& name, std::string firstLine) {
  if (Line* last = lastLiveLine(); last != nullptr && last->eol.empty()) last->eol = kCrlf;
  std::string header = "[" + name + "]";
  sectionIndex_.try_emplace(fold(parseLine(header).name), sections_.size());
  sections_.push_back(Section{Line{std::move(header), std::string(kCrlf)}, {}, 0, {}});
  insertLine(sections_.back(), std::move(firstLine));
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = toFile(trimSpaces(section));
  const std::string keyName = toFile(trimSpaces(key));
  const std::string text = toFile(value);
  const std::size_t found = findSection(name);
  if (found == kNone) {
    addSection(name, keyName + "=" + text);
  } else if (const auto it = sections_[found].keys.find(fold(keyName));
             it != sections_[found].keys.end()) {
    Line& line = sections_[found].body[it->second];
    line.text = std::string(parseLine(line.text).name) + "=" + text;  // the file's spelling
    line.eol = kCrlf;
  } else {
    insertLine(sections_[found], keyName + "=" + text);
  }
  // A line that reads back as more than one line, or a key line that reads back as a section
  // header, changes more than the line: the file is parsed again from its new bytes, as the
  // next write one by one would parse it.
  if (hasLineBreak(name) || hasLineBreak(keyName) || hasLineBreak(text) ||
      trim(keyName).starts_with('[')) {
    *this = ProfileFile(
        bytes(), encoding_ == Encoding::utf8Unmarked ? Unmarked::utf8WhenValid : Unmarked::cp932);
  }
}

void ProfileFile::apply(const ProfileWrite& w) {
  if (w.value) {
    write(w.section, w.key, *w.value);
  } else {
    remove(w.section, w.key);
  }
}

void ProfileFile::remove(std::string_view section, std::string_view key) {
  const std::size_t found = findSection(toFile(trimSpaces(section)));
  if (found == kNone) return;
  Section* s = &sections_[found];
  const auto it = s->keys.find(fold(toFile(trimSpaces(key))));
  if (it == s->keys.end()) return;
  const std::size_t index = it->second;
  Line& line = s->body[index];
  line.removed = true;
  if (line.nextSame == kNone) {
    s->keys.erase(it);
  } else {
    it->second = line.nextSame;
  }
  if (index + 1 == s->insertAt) {
    while (s->insertAt > 0 && (s->body[s->insertAt - 1].removed ||
                               !isEntry(parseLine(s->body[s->insertAt - 1].text)))) {
      --s->insertAt;
    }
  }
}

std::string ProfileFile::bytes() const {
  std::string out;
  auto put = [&out](const Line& line) {
    if (!line.removed) out.append(line.text).append(line.eol);
  };
  std::for_each(preamble_.begin(), preamble_.end(), put);
  for (const Section& s : sections_) {
    put(s.header);
    std::for_each(s.body.begin(), s.body.end(), put);
  }
  switch (encoding_) {
    case Encoding::utf16le:
      return std::string(kUtf16LeBom) + utf8ToUtf16le(out);
    case Encoding::utf8:
      return std::string(kUtf8Bom) + out;
    case Encoding::utf8Unmarked:
      return out;
    default:
      return out;
  }
}

void ProfileFile::save(const std::filesystem::path& path) const {
  writeFileAtomically(path, bytes());
}

std::string ReadProfile(std::string_view section, std::string_view key,
                        const std::filesystem::path& path) {
  try {
    return ProfileFile::load(path).value(section, key);
  } catch (const FileError&) {
    return {};
  }
}

int WriteProfile(std::string_view section, std::string_view key, std::string_view value,
                 const std::filesystem::path& path) {
  return WriteProfile(ProfileWrite{std::string(section), std::string(key), std::string(value)},
                      path);
}

int WriteProfile(const ProfileWrite& w, const std::filesystem::path& path) {
  try {
    ProfileFile file = ProfileFile::load(path);
    file.apply(w);
    file.save(path);
    return 1;
  } catch (const FileError&) {
    return 0;
  }
}

}  // namespace tallix
