#include "commands.h"

namespace tallix::design {

std::string keyText(const Command& command) {
  return command.key == 0 ? std::string() : std::string("Ctrl+") + command.key;
}

}  // namespace tallix::design
