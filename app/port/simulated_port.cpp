#include "simulated_port.h"

namespace tallix {

std::int16_t SimulatedPort::inpB(std::uint16_t) {
  machine_.advanceTo(clock_());
  return signExtendByte(machine_.byte());
}

}  // namespace tallix
