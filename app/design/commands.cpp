#include "commands.h"

namespace tallix::design {

std::string keyText(const Command& command) {
  return command.key == 0 ? std::string() : std::string("Ctrl+") + command.key;
}

std::optional<CommandOutcome> runOnSession(Session& session, CommandId id) {
  switch (id) {
    case CommandId::clear:
      return session.Command3_Click();
    case CommandId::load:
      return session.Command4_Click();
    case CommandId::save:
      return session.Command5_Click();
    default:
      return std::nullopt;
  }
}

}  // namespace tallix::design
