// Every text the program adds for the player (messages, notices, questions) is said here, in
// English, from a template with placeholders %1 to %9: Say::tr("%1 could not be loaded (%2).",
// {name, why}). lupdate collects the templates (their context is "Say") for the window's
// translations; the core itself never sees Qt.
//
// tr() returns the English text, which tools, logs and tests read as it is. It also notes how
// the text was made, so that the window can show it in the player's language: it looks the text
// up with how(), translates the template and fills in the arguments, each looked up the same
// way (a reason inside a message is often a text said here too). A text that was not said here
// (a path, a system's error text) is shown as it is.
//
// Not in namespace tallix, so that lupdate gives every template the same context.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// For lupdate only (an alias of Q_DECLARE_TR_FUNCTIONS): Say declares its translation context.
#define TALLIX_TRANSLATION_CONTEXT(context)

struct Say {
  TALLIX_TRANSLATION_CONTEXT(Say)

  // The template with %1, %2 … replaced by the arguments.
  static std::string tr(const char* source, std::initializer_list<std::string_view> args = {});

  struct Said {
    const char* source;
    std::vector<std::string> args;
  };
  // How tr() made `text`, or nullopt when it did not make it.
  static std::optional<Said> how(const std::string& text);
};

namespace tallix {

// The template with %1 … %9 replaced by the arguments, in one pass: an argument that holds a
// "%1" of its own is left as it is.
std::string fillIn(std::string_view source, const std::vector<std::string>& args);

// `text` in another language: for a text that Say::tr made, its template as `translate` gives it,
// filled in with its arguments, each translated the same way; any other text as it is. Every
// window shows the core's texts through this, with its own way of translating a template.
std::string translateSaid(const std::string& text,
                          const std::function<std::string(const char* source)>& translate);

}  // namespace tallix
