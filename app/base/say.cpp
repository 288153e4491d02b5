#include "say.h"

#include <mutex>
#include <unordered_map>

namespace {

// How the texts said so far were made. The record writer's thread says texts too. A long
// session says few distinct texts; the notes are dropped now and then all the same, well after
// the window has shown them.
std::mutex notesMutex;
std::unordered_map<std::string, Say::Said> notes;
constexpr std::size_t kMaxNotes = 1000;

}  // namespace

std::string Say::tr(const char* source, std::initializer_list<std::string_view> args) {
  Said said{source, std::vector<std::string>(args.begin(), args.end())};
  std::string text = tallix::fillIn(source, said.args);
  const std::lock_guard lock(notesMutex);
  if (notes.size() >= kMaxNotes) notes.clear();
  notes.insert_or_assign(text, std::move(said));
  return text;
}

std::optional<Say::Said> Say::how(const std::string& text) {
  const std::lock_guard lock(notesMutex);
  const auto it = notes.find(text);
  if (it == notes.end()) return std::nullopt;
  return it->second;
}

namespace tallix {

std::string fillIn(std::string_view source, const std::vector<std::string>& args) {
  std::string text;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char next = i + 1 < source.size() ? source[i + 1] : '\0';
    if (source[i] == '%' && next >= '1' && next <= '9' &&
        static_cast<std::size_t>(next - '1') < args.size()) {
      text += args[static_cast<std::size_t>(next - '1')];
      ++i;
    } else {
      text += source[i];
    }
  }
  return text;
}

std::string translateSaid(const std::string& text,
                          const std::function<std::string(const char* source)>& translate) {
  const std::optional<Say::Said> said = Say::how(text);
  if (!said) return text;
  std::vector<std::string> args;
  for (const std::string& arg : said->args) args.push_back(translateSaid(arg, translate));
  return fillIn(translate(said->source), args);
}

}  // namespace tallix
