#include "settings.h"

#include <cmath>

#include "files.h"
#include "numbers.h"
#include "profile.h"

namespace tallix {

std::string_view NullToZero(std::string_view value) {
  return value.empty() ? "0" : value;
}

SettingsLoad loadSettings(const std::filesystem::path& iniPath) {
  SettingsLoad load;
  Settings& s = load.settings;
  ProfileFile ini;
  try {
    ini = ProfileFile::load(iniPath);
  } catch (const FileError& e) {
    load.messages.push_back(std::string(e.what()) + "; using no settings");
    return load;
  }
  // A value that does not fit its field leaves the field at 0 and is reported with the file,
  // section, key and value.
  auto report = [&](const char* section, const char* key, const std::string& text,
                    const std::string& why) {
    load.messages.push_back(iniPath.filename().string() + " [" + section + "] " + key + "=" + text +
                            " " + why + "; using 0");
  };
  auto integer = [&](const char* section, const char* key, auto& field, bool nullToZero) {
    const std::string text = ini.value(section, key);
    const double v = parseNumber(nullToZero ? NullToZero(text) : text);
    try {
      if constexpr (sizeof field == 2) {
        field = toInt16(v);
      } else {
        field = toInt32(v);
      }
    } catch (const OverflowError& e) {
      report(section, key, text, "is outside " + e.range());
    }
  };

  integer("setting", "addr", s.portAddr, false);
  for (int i = 0; i < 3; ++i) {
    const std::string key = "rate" + std::to_string(i + 1);
    const std::string text = ini.value("setting", key);
    const double v = parseNumber(text);
    if (std::isfinite(v)) {
      s.rate[i] = v;
    } else {
      report("setting", key.c_str(), text, "is not a finite number");
    }
  }
  for (int i = 0; i < 3; ++i) {
    integer("koyaku", ("koyaku" + std::to_string(i + 1)).c_str(), s.koyaku[i], true);
  }
  for (int i = 0; i < 3; ++i) {
    integer("koyaku", ("koyaku" + std::to_string(i + 1) + "g").c_str(), s.koyakuG[i], true);
  }
  integer("big", "count", s.bigSetCoin, false);
  s.data5pinEnabled = ini.value("data5pin", "enabled") == "1";
  if (s.data5pinEnabled) s.name5pin = ini.value("data5pin", "name");
  if (const std::string text = ini.value("graph", "payout"); !text.empty()) {
    const double v = parseNumber(text);
    if (std::isfinite(v) && v > 0) {
      s.payout = v;
    } else {
      report("graph", "payout", text, "is not a payout rate above 0 percent");
    }
  }
  s.input = readInputSettings(ini, iniPath.filename().string(), load.messages);
  return load;
}

}  // namespace tallix
