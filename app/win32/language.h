// The player's language in tallix.exe, without Qt: Japanese when the user's UI language is
// Japanese (GetUserDefaultUILanguage), English otherwise. The Japanese texts are those of
// translations/tallix_ja.ts, which the build turns into a table (base/translations.h). The core
// speaks UTF-8 and Windows UTF-16 (base/cp932.h converts).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/cp932.h"
#include "base/say.h"

namespace tallix::win32 {

using tallix::narrow;
using tallix::widen;

// Whether the program speaks Japanese; decided once, at the first call.
bool japaneseUi();

// One of the window's own texts in the player's language. The sources call it as lupdate reads
// it, translate("Window", "English text"), so the text is collected into the translations.
std::wstring translate(const char* context, const char* source);

// A translated text with its placeholders %1 … filled in: fill(translate("Window", "… %1"), {arg}).
std::wstring fill(std::wstring_view text, const std::vector<std::string>& args);

// A text of the core in the player's language.
std::wstring translated(const Said& text);

// The settings file a first run makes: the commented sample built into the program, in the
// player's language.
std::string settingsSample();

}  // namespace tallix::win32
