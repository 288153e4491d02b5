#include "settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "files.h"
#include "numbers.h"
#include "profile.h"
#include "say.h"

namespace tallix {

std::string_view NullToZero(std::string_view value) {
  return value.empty() ? "0" : value;
}

std::string rateLabel(double rate) {
  return numberText(rate) + "枚";
}

namespace {

// Why a number does not fit its field. A port number above 32767 does not fit addr's signed
// 16-bit field as a decimal number; its "&H" form gives the same 16-bit pattern (addr=&HEC00 for
// port 60416), and the message says so.
Said outside(const OverflowError& e, const char* key, double value) {
  if (std::string_view(key) != "addr" || !(value > 32767 && value < 65535.5)) {
    return Say::tr("is outside %1", {e.range()});
  }
  const std::int32_t port = toInt32(value);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(port));
  return Say::tr("is outside %1 (use addr=&H%2 for port %3)",
                 {e.range(), hex, std::to_string(port)});
}

// An origin as a browser sends it: a scheme, "://" and a host with an optional port, no path.
// "*" and "null" (sandboxed pages and files, which any site can make) are none.
bool isOrigin(std::string_view text) {
  const std::size_t colon = text.find("://");
  if (colon == 0 || colon == std::string_view::npos) return false;
  const std::string_view scheme = text.substr(0, colon);
  const std::string_view host = text.substr(colon + 3);
  const auto schemeChar = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  };
  return std::isalpha(static_cast<unsigned char>(scheme.front())) &&
         std::ranges::all_of(scheme, schemeChar) && !host.empty() &&
         host.find_first_of("/?#@ \t") == std::string_view::npos;
}

// Six weights, each a number of 0 or more and not all 0, separated by commas or blanks.
std::optional<std::array<double, kSettingCount>> parsePrior(std::string_view text) {
  std::array<double, kSettingCount> prior{};
  std::size_t n = 0;
  double sum = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find_first_of(", \t", at), text.size());
    if (end > at) {
      const std::optional<double> weight = decimalNumber(text.substr(at, end - at));
      if (!weight || *weight < 0 || n == kSettingCount) return std::nullopt;
      sum += prior[n++] = *weight;
    }
    at = end + 1;
  }
  if (n != kSettingCount || !(sum > 0) || !std::isfinite(sum)) return std::nullopt;
  return prior;
}

}  // namespace

std::optional<std::uint16_t> parsePortNumber(std::string_view text) {
  return wholeNumber<std::uint16_t>(text, 1);
}

std::uint16_t servePort(std::optional<std::uint16_t> commandLine, const ServeSettings& settings) {
  if (commandLine && *commandLine != 0) return *commandLine;
  if (settings.port != 0) return settings.port;
  return commandLine ? kDefaultServePort : 0;
}

namespace {

// The sections of tallix.ini read here, and their keys: the one list of them, which the reading
// below goes through and which names every other key as one Tallix does not read.
struct KnownSection {
  std::string_view name;
  std::vector<std::string_view> keys;
};

const std::vector<KnownSection>& knownSections() {
  static const std::vector<KnownSection> sections{
      {"setting", {"addr", "rate1", "rate2", "rate3"}},
      {"koyaku", {"koyaku1", "koyaku2", "koyaku3", "koyaku1g", "koyaku2g", "koyaku3g"}},
      {"big", {"count"}},
      {"data5pin", {"enabled", "name"}},
      {"graph", {"payout"}},
      {"serve", {"port", "address", "allow_origin"}},
      {"estimate", {"machine", "prior"}},
      {"window", {"fullscreen"}},
  };
  return sections;
}

bool sameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

const KnownSection* knownSection(std::string_view name) {
  const auto& sections = knownSections();
  const auto it =
      std::ranges::find_if(sections, [&](const KnownSection& s) { return sameName(s.name, name); });
  return it == sections.end() ? nullptr : &*it;
}

bool knownKey(const KnownSection& section, std::string_view key) {
  return std::ranges::any_of(section.keys, [&](std::string_view k) { return sameName(k, key); });
}

}  // namespace

Said placeIn(std::string file, std::size_t line) {
  return Say::tr("%1 line %2", {std::move(file), std::to_string(line)});
}

void nameUnknownKeys(const ProfileFile& ini, const std::filesystem::path& iniPath,
                     std::string_view section, const std::vector<std::string_view>& known,
                     std::vector<Said>& messages) {
  std::vector<std::string> named;
  for (const std::string& key : ini.keys(section)) {
    const auto same = [&](std::string_view k) { return sameName(k, key); };
    if (std::ranges::any_of(known, same) || std::ranges::any_of(named, same)) continue;
    named.push_back(key);
    messages.push_back(Say::tr(
        "%1: %2 is not a key Tallix reads in [%3]; it is ignored",
        {placeIn(iniPath.filename().string(), ini.line(section, key)), key, std::string(section)}));
  }
}

SettingsLoad loadSettings(const std::filesystem::path& iniPath) {
  SettingsLoad load;
  Settings& s = load.settings;
  ProfileFile& ini = load.file;
  try {
    ini = ProfileFile::load(iniPath, ProfileFile::Unmarked::utf8WhenValid);
  } catch (const FileError& e) {
    load.messages.push_back(Say::tr("%1; using no settings", {saidOf(e)}));
    return load;
  }
  // Sections no module reads, and keys of the sections read here that are not read, are named
  // once each with their line.
  std::vector<std::string> sections;
  for (const std::string& name : ini.sections()) {
    const auto same = [&](std::string_view n) { return sameName(n, name); };
    if (std::ranges::any_of(sections, same)) continue;
    sections.push_back(name);
    if (const KnownSection* known = knownSection(name)) {
      nameUnknownKeys(ini, iniPath, name, known->keys, load.messages);
    } else if (!sameName(name, kInputSection)) {
      load.messages.push_back(
          Say::tr("%1: [%2] is not a section Tallix reads; it is ignored",
                  {placeIn(iniPath.filename().string(), ini.line(name)), name}));
    }
  }
  // The text of a key of the list above; reading any other is a fault of this reader.
  auto value = [&](std::string_view section, std::string_view key) {
    const KnownSection* known = knownSection(section);
    if (known == nullptr || !knownKey(*known, key)) {
      throw std::logic_error("tallix.ini is read for a key not in its list: " + std::string(key));
    }
    return ini.value(section, key);
  };
  auto at = [&](const char* section, std::string_view key) {
    return placeIn(iniPath.filename().string(), ini.line(section, key));
  };
  // A value that does not fit its field leaves the field at 0 and is reported with the file,
  // line, section, key and value.
  auto report = [&](const char* section, const char* key, const std::string& text,
                    const Said& why) {
    load.messages.push_back(
        Say::tr("%1: [%2] %3=%4 %5; using 0", {at(section, key), section, key, text, why}));
  };
  // A value that is not written as a number is read as every setting is ("12abc" is 12, "abc"
  // 0) and, once it is used, named with what it was read as.
  auto readAs = [&](const char* section, const char* key, std::string_view text, double v) {
    if (text.empty() || isCleanNumber(text)) return;
    load.messages.push_back(
        Say::tr("%1: [%2] %3=%4 is not a number as written; it is read as %5",
                {at(section, key), section, key, std::string(text), numberText(v)}));
  };
  auto integer = [&](const char* section, const char* key, auto& field, bool nullToZero) {
    const std::string text = value(section, key);
    const double v = parseNumber(nullToZero ? NullToZero(text) : text);
    try {
      if constexpr (sizeof field == 2) {
        field = toInt16(v);
      } else {
        field = toInt32(v);
      }
      readAs(section, key, text, v);
    } catch (const OverflowError& e) {
      report(section, key, text, outside(e, key, v));
    }
  };

  integer("setting", "addr", s.portAddr, false);
  for (int i = 0; i < 3; ++i) {
    const std::string key = "rate" + std::to_string(i + 1);
    const std::string text = value("setting", key);
    const double v = parseNumber(text);
    if (std::isfinite(v)) {
      s.rate[i] = v;
      readAs("setting", key.c_str(), text, v);
    } else {
      report("setting", key.c_str(), text, Say::tr("is not a finite number"));
    }
  }
  // A file that sets something but has no [setting] was written for another input (only
  // [input], say) and never given the rates: every rate shows its cash as ¥0. One with [setting]
  // has chosen its rates, as every file of the counter's first design has, with its addr.
  if (ini.keys("setting").empty() &&
      std::ranges::any_of(ini.sections(),
                          [&](const std::string& name) { return !ini.keys(name).empty(); })) {
    load.messages.push_back(Say::tr("no rate1, rate2 or rate3 in %1: %2 shows ¥0",
                                    {iniPath.filename().string(), rateLabel(0)}));
  }
  for (int i = 0; i < 3; ++i) {
    integer("koyaku", ("koyaku" + std::to_string(i + 1)).c_str(), s.koyaku[i], true);
  }
  for (int i = 0; i < 3; ++i) {
    integer("koyaku", ("koyaku" + std::to_string(i + 1) + "g").c_str(), s.koyakuG[i], true);
  }
  integer("big", "count", s.bigSetCoin, false);
  if (s.bigSetCoin < 0) {
    load.messages.push_back(Say::tr("%1: [big] count=%2 is below 0, which no BIG pays",
                                    {at("big", "count"), value("big", "count")}));
  }
  // A switch is on for exactly "1"; any text but "1", "0" and none is named with what it does.
  auto onOff = [&](const char* section, const char* key, const Said& offMeans) {
    const std::string text = value(section, key);
    if (!text.empty() && text != "1" && text != "0") {
      load.messages.push_back(Say::tr("%1: [%2] %3=%4 is not 0 or 1; it is read as 0, %5",
                                      {at(section, key), section, key, text, offMeans}));
    }
    return text == "1";
  };
  s.data5pinEnabled = onOff("data5pin", "enabled", Say::tr("and the 5-pin count stays hidden"));
  if (s.data5pinEnabled) s.name5pin = value("data5pin", "name");
  if (const std::string text = value("graph", "payout"); !text.empty()) {
    const double v = parseNumber(text);
    if (std::isfinite(v) && v > 0) {
      s.payout = v;
      readAs("graph", "payout", text, v);
    } else {
      report("graph", "payout", text, Say::tr("is not a payout rate above 0 percent"));
    }
  }
  if (const std::string text = value("serve", "port"); !text.empty()) {
    if (const std::optional<std::uint16_t> port = parsePortNumber(text)) {
      s.serve.port = *port;
    } else {
      load.messages.push_back(
          Say::tr("%1: [serve] port=%2 is not a port number from 1 to 65535; the live view is off",
                  {at("serve", "port"), text}));
    }
  }
  if (std::string text = value("serve", "address"); !text.empty()) {
    s.serve.address = std::move(text);
  }
  if (std::string text = value("serve", "allow_origin"); !text.empty()) {
    if (isOrigin(text)) {
      s.serve.allowOrigin = std::move(text);
    } else {
      load.messages.push_back(
          Say::tr("%1: [serve] allow_origin=%2 is not an origin such as https://example.com; no "
                  "page of another site may read the figures",
                  {at("serve", "allow_origin"), text}));
    }
  }
  if (const std::string text = value("estimate", "machine"); !text.empty()) {
    s.estimate.machine = (iniPath.parent_path() / pathOf(text)).string();
  }
  if (const std::string text = value("estimate", "prior"); !text.empty()) {
    if (const auto prior = parsePrior(text)) {
      s.estimate.prior = *prior;
    } else {
      load.messages.push_back(
          Say::tr("%1: [estimate] prior=%2 is not six weights of 0 or more, not all 0, such as "
                  "1,1,1,1,1,1; every setting weighs the same",
                  {at("estimate", "prior"), text}));
    }
  }
  s.window.fullscreen = onOff("window", "fullscreen", Say::tr("and the window keeps its size"));
  return load;
}

}  // namespace tallix
