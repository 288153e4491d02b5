#include "say.h"

namespace tallix {

Said Said::fromTemplate(const char* source, std::vector<Said> args) {
  Said said;
  said.source_ = source;
  said.args_ = std::move(args);
  return said;
}

std::string Said::english() const {
  return in([](const char* source) { return std::string(source); });
}

std::string Said::in(const std::function<std::string(const char* source)>& translate) const {
  if (source_ == nullptr) return plain_;
  std::vector<std::string> args;
  for (const Said& arg : args_) args.push_back(arg.in(translate));
  return fillIn(translate(source_), args);
}

Said joined(const std::vector<Said>& texts) {
  Said all;
  for (const Said& text : texts) {
    if (!text.empty()) all = all.empty() ? text : Say::tr("%1; %2", {all, text});
  }
  return all;
}

Said saidOf(const std::exception& e) {
  if (const auto* said = dynamic_cast<const SaidError*>(&e)) return said->said();
  return Said(e.what());
}

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

}  // namespace tallix
