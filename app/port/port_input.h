// The parallel port's data register, read through the port library at [setting] addr: the
// input of a counting station without [input], and of source=port.
#pragma once

#include <memory>

#include "input_kinds.h"

namespace tallix {

// Turns the port's data lines to input (the control byte 0xEC to addr + 2) and reads the data
// register once, so that a library without InpB is said before sampling. Throws
// InputUnavailable without a port address, and what the port library throws when it fails.
std::unique_ptr<RawInput> makePortInput(const InputRequest& request);

}  // namespace tallix
