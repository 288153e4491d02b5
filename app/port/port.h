// The machine's port as the program uses it: the port library's start and stop, one byte read
// from the parallel port's data register per tick and the one control write at start-up.
// Implementations: the binding to the kirvoport library and the simulated machine.
#pragma once

#include <cstdint>
#include <string>

#include "port_byte.h"

namespace tallix {

class Port {
 public:
  virtual ~Port() = default;
  // KIRVO_Start: an even result means the ports may be used, an odd one that they may not.
  virtual std::int32_t start() = 0;
  // Why the last start failed, in a short English sentence, or "" when there is no reason.
  virtual std::string lastError() = 0;
  // KIRVO_Stop: 0 when it ran to its end.
  virtual std::int32_t stop() = 0;
  // InpB: the byte read from the port, sign-extended (0x80..0xFF give -128..-1).
  virtual std::int16_t inpB(std::uint16_t port) = 0;
  // OutB: writes the low 8 bits of value to the port.
  virtual void outB(std::uint16_t port, std::int16_t value) = 0;
};

}  // namespace tallix
