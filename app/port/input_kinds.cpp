#include "input_kinds.h"

#include <algorithm>
#include <vector>

#include "auto_input.h"
#include "base/say.h"
#include "input_settings.h"
#include "input_source.h"
#include "port_input.h"
#include "serial_bridge.h"
#include "usbio.h"

// The Linux kinds' factories exist in the Linux builds only; the other builds' rows have none.
#ifdef TALLIX_LINUX_INPUTS
#include "linux_gpio.h"
#include "linux_parport.h"
#define LINUX_ONLY(factory) factory
#else
#define LINUX_ONLY(factory) nullptr
#endif

namespace tallix {

namespace {

constexpr bool kOnWindows = kThisPlatform == kWindows;

// The rows, in the order the player reads them listed; the first is read without [input].
const InputKind kKinds[] = {
    {.name = "port",
     .device = "",
     .portLibrary = PortLibrary::needed,
     .platforms = kLinux | kWindows,
     .access =
         [] {
           return kOnWindows ? Say::tr(
                                   "run as administrator, with the driver kirvo.sys beside "
                                   "the program")
                             : Say::tr("run as root or grant CAP_SYS_RAWIO");
         },
     .make = makePortInput},
    {.name = "auto",
     .device = "",
     .portLibrary = PortLibrary::ifItStarts,
     .platforms = kLinux | kWindows,
     .access = [] { return Say::tr("plug in the serial bridge or the USB I/O board"); },
     .make = makeAutoInput},
    {.name = "parport",
     .device = "/dev/parport0",
     .portLibrary = PortLibrary::unused,
     .platforms = kLinux,
     .access = [] { return Say::tr("join the group lp and log in again"); },
     .make = LINUX_ONLY(makeParportInput)},
    {.name = "serial",
     // Windows numbers a board's COM port by the board and the USB socket it is in: without
     // device= the first COM port whose board answers in TLX1 is taken.
     .device = kOnWindows ? "" : "/dev/ttyACM0",
     .portLibrary = PortLibrary::unused,
     .platforms = kLinux | kWindows,
     .access =
         [] {
           return kOnWindows ? Say::tr("close the program that has it open")
                             : Say::tr(
                                   "join the group dialout and log in again, or close the "
                                   "program that has it open");
         },
     .make = makeSerialBridge},
    {.name = "usbio",
     .device = "",
     .portLibrary = PortLibrary::unused,
     .platforms = kLinux | kWindows,
     .access =
         [] {
           return kOnWindows
                      ? Say::tr("it needs no driver; close the program that has it open")
                      : Say::tr(
                            "install the udev rule 60-tallix-usbio.rules from the package, then "
                            "plug the board in again");
         },
     .make = makeUsbIoInput},
    {.name = "gpio",
     .device = "gpiochip0",
     .portLibrary = PortLibrary::unused,
     .platforms = kLinux,
     .access =
         [] { return Say::tr("join the group that owns /dev/gpiochip*, or add a udev rule"); },
     .make = LINUX_ONLY(makeGpioInput)},
};

}  // namespace

std::span<const InputKind> inputKinds() {
  return kKinds;
}

const InputKind& defaultInputKind() {
  return kKinds[0];
}

const InputKind* findInputKind(std::string_view name) {
  const auto* kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const InputKind& k) { return k.name == name; });
  return kind != std::end(kKinds) ? kind : nullptr;
}

Said inputKindNames(bool portLibraryToo) {
  std::vector<std::string_view> names;
  for (const InputKind& kind : kKinds) {
    if (portLibraryToo || (kind.portLibrary != PortLibrary::needed && kind.make != nullptr)) {
      names.push_back(kind.name);
    }
  }
  // Said piece by piece, so that the list reads as one in the player's language.
  Said list(names.front());
  for (std::size_t i = 1; i < names.size(); ++i) {
    list = i + 1 < names.size() ? Say::tr("%1, %2", {list, names[i]})
                                : Say::tr("%1 or %2", {list, names[i]});
  }
  return list;
}

std::unique_ptr<InputSource> makeInput(const InputSettings& settings, const InputEnvironment& env) {
  if (settings.source == nullptr) throw InputUnavailable(Say::tr("[input] source= names no input"));
  const InputKind& kind = *settings.source;
  if (kind.make == nullptr) {
    throw InputUnavailable(Say::tr("source=%1 exists on %2 only",
                                   {kind.name, kind.platforms & kLinux ? "Linux" : "Windows"}));
  }
  const std::string device = settings.device.empty() ? std::string(kind.device) : settings.device;
  const Said access = kind.access();
  return std::make_unique<InputSource>(kind.make({settings, device, access, env}), settings);
}

}  // namespace tallix
