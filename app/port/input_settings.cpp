#include "input_settings.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>

#include "base/numbers.h"
#include "base/profile.h"
#include "base/say.h"
#include "base/settings.h"

namespace tallix {

namespace {

// "3" or "0, 5": the input numbers of a line; nullopt when the text is not such a list.
std::optional<std::vector<int>> pinList(const std::string& text) {
  std::vector<int> pins;
  std::size_t from = 0;
  while (from <= text.size()) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    std::string item = text.substr(from, comma - from);
    item.erase(
        std::remove_if(item.begin(), item.end(), [](unsigned char c) { return std::isspace(c); }),
        item.end());
    const auto pin = wholeNumber<int>(item, 0, kMaxInputs - 1);
    if (!pin) return std::nullopt;
    pins.push_back(*pin);
    from = comma + 1;
  }
  return pins;
}

// The keys of [input]: the one list of them, which names every other key as one Tallix does not
// read.
std::vector<std::string_view> inputKeys() {
  std::vector<std::string_view> keys{"source", "device", "register", "active_low", "debounce_ms"};
  keys.insert(keys.end(), kLineKeys.begin(), kLineKeys.end());
  return keys;
}

}  // namespace

InputSettings readInputSettings(const ProfileFile& ini, const std::filesystem::path& iniPath,
                                std::vector<Said>& messages) {
  InputSettings input;
  if (ini.keys(kInputSection).empty()) {
    input.asRead = true;
    return input;
  }
  const std::vector<std::string_view> keys = inputKeys();
  nameUnknownKeys(ini, iniPath, kInputSection, keys, messages);
  // The text of a key of the list above; reading any other is a fault of this reader.
  auto value = [&](std::string_view key) {
    if (std::ranges::find(keys, key) == keys.end()) {
      throw std::logic_error("[input] is read for a key not in its list: " + std::string(key));
    }
    return ini.value(kInputSection, key);
  };
  auto report = [&](const char* key, const std::string& text, const Said& why) {
    messages.push_back(Say::tr("%1: [%2] %3=%4 %5",
                               {placeIn(iniPath.filename().string(), ini.line(kInputSection, key)),
                                std::string(kInputSection), key, text, why}));
  };

  if (const std::string source = value("source"); !source.empty()) {
    if (const InputKind* kind = findInputKind(source)) {
      input.source = kind;
    } else {
      // Nothing else is tried: what the player meant is not known.
      input.source = nullptr;
      report("source", source, Say::tr("is not %1; no input is read", {inputKindNames()}));
    }
  }
  input.device = value("device");
  if (const std::string reg = value("register"); reg == "status") {
    input.statusRegister = true;
  } else if (!reg.empty() && reg != "data") {
    report("register", reg, Say::tr("is not data or status; using data"));
  }
  for (std::size_t line = 0; line < kLineKeys.size(); ++line) {
    const std::string text = value(kLineKeys[line]);
    if (text.empty()) continue;
    if (auto pins = pinList(text)) {
      input.pins[line] = std::move(*pins);
    } else {
      report(kLineKeys[line], text,
             Say::tr("is not a list of input numbers 0-31 (\"3\" or \"3,5\"); using %1",
                     {std::to_string(line)}));
    }
  }
  if (const std::string low = value("active_low"); low == "0") {
    input.activeLow = false;
  } else if (!low.empty() && low != "1") {
    report("active_low", low, Say::tr("is not 0 or 1; using 1"));
  }
  if (const std::string ms = value("debounce_ms"); !ms.empty()) {
    if (const auto debounce = wholeNumber<std::int64_t>(ms, 0, 99999)) {
      input.debounceMs = *debounce;
    } else {
      report("debounce_ms", ms, Say::tr("is not a number of ms from 0 to 99999; using 0"));
    }
  }
  return input;
}

}  // namespace tallix
