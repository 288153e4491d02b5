// The port library as the program uses it: its start and stop, the bytes read from the parallel
// port's data register and the one control write when the port input is made
// (port_input.h). The program's implementation is the binding to the kirvoport library
// (kirvo_binding.h); the simulated machine is a source of its own and reaches no port.
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
