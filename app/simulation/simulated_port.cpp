#include "simulated_port.h"

namespace tallix {

std::int16_t SimulatedPort::inpB(std::uint16_t) {
  machine_.advanceTo(clock_());
  // The port library returns the byte sign-extended.
  return static_cast<std::int8_t>(machine_.byte());
}

}  // namespace tallix
