#include "translations.h"

#include <cstddef>
#include <map>
#include <utility>

namespace tallix {

// The table made by the build, in a source file of its own.
extern const Translation kJapaneseTexts[];
extern const std::size_t kJapaneseTextsSize;

std::span<const Translation> japaneseTexts() {
  return {kJapaneseTexts, kJapaneseTextsSize};
}

const char* japanese(std::string_view context, std::string_view source) {
  using Key = std::pair<std::string_view, std::string_view>;
  static const std::map<Key, const char*> byText = [] {
    std::map<Key, const char*> map;
    for (const Translation& t : japaneseTexts())
      map.emplace(Key{t.context, t.source}, t.translation);
    return map;
  }();
  const auto it = byText.find(Key{context, source});
  return it != byText.end() ? it->second : nullptr;
}

}  // namespace tallix
