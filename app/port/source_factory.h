// The source that the [input] section of tallix.ini names.
#pragma once

#include <cstdint>
#include <memory>

#include "base/input_settings.h"
#include "input_source.h"
#include "port.h"
#include "serial_bridge.h"

namespace tallix {

// source=port reads the port library's data register at `portAddr` (already started); the
// others open their device themselves, on the sampling thread. `serial` opens a serial line
// (null where the program has none). The parport, usbio and gpio sources exist on Linux only;
// elsewhere they say so on the notice line.
std::unique_ptr<InputSource> makeSource(const InputSettings& input, Port* port,
                                        std::uint16_t portAddr, const SerialOpener& serial);

}  // namespace tallix
