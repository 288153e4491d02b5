// Every text the program adds for the player (messages, notices, questions, errors) is said
// here, in English, from a template with placeholders %1 to %9: Say::tr("%1 could not be loaded
// (%2).", {name, why}). lupdate collects the templates (their context is "Say") for the
// translations; the core itself never sees Qt.
//
// What Say::tr makes is a value, Said: the template and its arguments, carried as they are by
// the errors and notices that hold it, and put into words only where it is shown. english()
// gives the English, which tools, logs and tests read; a window shows it in the player's
// language with in(), which translates the template and each argument that is a text said too.
// A plain text (a path, a number, a system's error text) is shown as it is in every language.
//
// Say is not in namespace tallix, so that lupdate gives every template the same context.
#pragma once

#include <functional>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// For lupdate only (an alias of Q_DECLARE_TR_FUNCTIONS): Say declares its translation context.
#define TALLIX_TRANSLATION_CONTEXT(context)

namespace tallix {

class Said {
 public:
  Said() = default;
  // A plain text, the same in every language.
  Said(std::string plain) : plain_(std::move(plain)) {}  // NOLINT(google-explicit-constructor)
  Said(std::string_view plain) : plain_(plain) {}        // NOLINT(google-explicit-constructor)
  Said(const char* plain) : plain_(plain) {}             // NOLINT(google-explicit-constructor)

  // A template of the "Say" context with its arguments.
  static Said fromTemplate(const char* source, std::vector<Said> args);

  // The words in English: the template with %1 … %9 replaced by the arguments' English.
  std::string english() const;
  // The words in another language: the template as `translate` gives it, filled in with the
  // arguments, each put into that language the same way.
  std::string in(const std::function<std::string(const char* source)>& translate) const;
  bool empty() const { return source_ == nullptr && plain_.empty(); }
  // Two texts are the same when they read the same.
  friend bool operator==(const Said& a, const Said& b) { return a.english() == b.english(); }

 private:
  const char* source_ = nullptr;  // the template; null for a plain text
  std::string plain_;
  std::vector<Said> args_;
};

// An error whose words are said to the player: what() in English, said() as it was said.
class SaidError : public std::runtime_error {
 public:
  explicit SaidError(Said said) : std::runtime_error(said.english()), said_(std::move(said)) {}
  const Said& said() const { return said_; }

 private:
  Said said_;
};

// Writes the English, for tools and logs.
inline std::ostream& operator<<(std::ostream& out, const Said& said) {
  return out << said.english();
}

// The texts one after another, as "a; b; c", empty ones left out.
Said joined(const std::vector<Said>& texts);

// What an exception says: the words of a SaidError as they were said, any other's what() as a
// plain text.
Said saidOf(const std::exception& e);

// The template with %1 … %9 replaced by the arguments, in one pass: an argument that holds a
// "%1" of its own is left as it is.
std::string fillIn(std::string_view source, const std::vector<std::string>& args);

}  // namespace tallix

struct Say {
  TALLIX_TRANSLATION_CONTEXT(Say)

  static tallix::Said tr(const char* source, std::initializer_list<tallix::Said> args = {}) {
    return tallix::Said::fromTemplate(source, std::vector<tallix::Said>(args));
  }
};
