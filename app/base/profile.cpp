#include "profile.h"

#include <algorithm>

#include "cp932.h"
#include "files.h"

namespace tallix {

namespace {

constexpr std::string_view kCrlf = "\r\n";
constexpr std::size_t kMaxValueBytes = 254;

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string fold(std::string_view s) {
  std::string folded(trim(s));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool isBlank(std::string_view line) {
  return trim(line).empty();
}

// "[name]" gives name; anything else nullopt-like empty flag.
bool sectionName(std::string_view line, std::string_view& name) {
  const std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return false;
  const auto close = t.find(']');
  name = trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  return true;
}

// "key=value" outside comments gives the key.
bool keyOf(std::string_view line, std::string_view& key) {
  const std::string_view t = trim(line);
  if (t.empty() || t.front() == ';') return false;
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = trim(t.substr(0, eq));
  return !key.empty();
}

std::string_view valueOf(std::string_view line) {
  std::string_view v = trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t lf = bytes.find('\n', pos);
    if (lf == std::string_view::npos) {
      addLine(std::string(bytes.substr(pos)), "");
      break;
    }
    const bool crlf = lf > pos && bytes[lf - 1] == '\r';
    addLine(std::string(bytes.substr(pos, lf - pos - (crlf ? 1 : 0))), crlf ? "\r\n" : "\n");
    pos = lf + 1;
  }
}

void ProfileFile::addLine(std::string text, std::string eol) {
  std::string_view name;
  if (sectionName(text, name)) {
    sectionIndex_.try_emplace(fold(name), sections_.size());
    sections_.push_back(Section{Line{std::move(text), std::move(eol)}, {}, 0, {}});
    return;
  }
  if (sections_.empty()) {
    preamble_.push_back(Line{std::move(text), std::move(eol)});
    return;
  }
  Section& section = sections_.back();
  const std::size_t index = section.body.size();
  std::string_view key;
  if (keyOf(text, key)) {
    const auto [it, inserted] = section.keys.try_emplace(fold(key), index);
    if (!inserted) {
      std::size_t i = it->second;
      while (section.body[i].nextSame != kNone) i = section.body[i].nextSame;
      section.body[i].nextSame = index;
    }
  }
  if (!isBlank(text)) section.insertAt = index + 1;
  section.body.push_back(Line{std::move(text), std::move(eol)});
}

ProfileFile ProfileFile::load(const std::filesystem::path& path) {
  const auto bytes = readFileBytes(path);
  return bytes ? ProfileFile(*bytes) : ProfileFile();
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view cp932Name) const {
  const auto it = sectionIndex_.find(fold(cp932Name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::string ProfileFile::value(std::string_view section, std::string_view key) const {
  const Section* s = findSection(utf8ToCp932(section));
  if (s == nullptr) return {};
  const auto it = s->keys.find(fold(utf8ToCp932(key)));
  if (it == s->keys.end()) return {};
  const std::string_view v = valueOf(s->body[it->second].text);
  return cp932ToUtf8(v.substr(0, cp932Prefix(v, kMaxValueBytes)));
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
  std::vector<std::string> names;
  const Section* s = findSection(utf8ToCp932(section));
  if (s == nullptr) return names;
  for (const Line& line : s->body) {
    std::string_view key;
    if (!line.removed && keyOf(line.text, key)) names.push_back(cp932ToUtf8(key));
  }
  return names;
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

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string cpSection = utf8ToCp932(section);
  const std::string cpKey = utf8ToCp932(key);
  std::string foldedKey = fold(cpKey);
  Line line{cpKey + "=" + utf8ToCp932(value), std::string(kCrlf)};
  auto [found, newSection] = sectionIndex_.try_emplace(fold(cpSection), sections_.size());
  if (newSection) {
    if (Line* last = lastLiveLine(); last != nullptr && last->eol.empty()) last->eol = kCrlf;
    Section added{Line{"[" + cpSection + "]", std::string(kCrlf)}, {}, 1, {}};
    added.keys.emplace(std::move(foldedKey), 0);
    added.body.push_back(std::move(line));
    sections_.push_back(std::move(added));
    return;
  }
  Section& s = sections_[found->second];
  const auto [it, newKey] = s.keys.try_emplace(std::move(foldedKey), s.insertAt);
  if (!newKey) {
    s.body[it->second] =
        Line{std::move(line.text), std::move(line.eol), false, s.body[it->second].nextSame};
    return;
  }
  Line& before = s.insertAt == 0 ? s.header : s.body[s.insertAt - 1];
  if (before.eol.empty()) before.eol = kCrlf;
  s.body.insert(s.body.begin() + static_cast<std::ptrdiff_t>(s.insertAt), std::move(line));
  ++s.insertAt;
}

void ProfileFile::apply(const ProfileWrite& w) {
  if (w.value) {
    write(w.section, w.key, *w.value);
  } else {
    remove(w.section, w.key);
  }
}

void ProfileFile::remove(std::string_view section, std::string_view key) {
  const auto found = sectionIndex_.find(fold(utf8ToCp932(section)));
  if (found == sectionIndex_.end()) return;
  Section& s = sections_[found->second];
  const auto it = s.keys.find(fold(utf8ToCp932(key)));
  if (it == s.keys.end()) return;
  const std::size_t index = it->second;
  Line& line = s.body[index];
  line.removed = true;
  if (line.nextSame == kNone) {
    s.keys.erase(it);
  } else {
    it->second = line.nextSame;
  }
  if (index + 1 == s.insertAt) {
    while (s.insertAt > 0 &&
           (s.body[s.insertAt - 1].removed || isBlank(s.body[s.insertAt - 1].text))) {
      --s.insertAt;
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
  return out;
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
