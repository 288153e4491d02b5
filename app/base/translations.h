// The Japanese texts without Qt, for the program that shows them without it (tallix.exe): the
// finished translations of translations/tallix_ja.ts, the file Qt Linguist's lupdate keeps up to
// date with the sources, made into a table by the build (cmake/ts_table.cmake). A text is found
// by its context ("Say" for the core's texts, "Window" for the windows' own) and its English
// source text, as Qt's translator finds it.
#pragma once

#include <span>
#include <string_view>

namespace tallix {

struct Translation {
  const char* context;
  const char* source;       // the English text, as written in the sources
  const char* translation;  // its Japanese, UTF-8
};

// Every translated text, in the order of the file.
std::span<const Translation> japaneseTexts();

// The Japanese of `source` in `context`; null when the file has none.
const char* japanese(std::string_view context, std::string_view source);

}  // namespace tallix
