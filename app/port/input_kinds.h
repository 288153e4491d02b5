// The kinds of input: each is one row of one table, which says where the machine's lines can
// come from. The [input] reader takes source= names from it, the session makes its input
// through it, tallix-probe lists it. A kind is a file of its own (its RawInput and a factory)
// and a row in input_kinds.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/say.h"
#include "serial_link.h"

namespace tallix {

class InputSource;
class Port;
class RawInput;
struct InputSettings;

// Why an input cannot be read at all in this run: this build lacks its kind, or what it needs
// is not set. Unlike an InputError it does not pass by itself, so nothing is polled.
class InputUnavailable : public SaidError {
 public:
  using SaidError::SaidError;
};

// What the program gives the inputs.
struct InputEnvironment {
  Port* port = nullptr;        // the port library, started; null where it was not
  std::uint16_t portAddr = 0;  // [setting] addr as a port number; 0: not set
  std::string settingsFile;    // named by the message of a setting that is missing
  SerialLines serial{};        // the program's serial lines; null where it has none
};

// What a kind's factory gets.
struct InputRequest {
  const InputSettings& settings;
  const std::string& device;  // [input] device=, or the kind's own default
  const Said& access;         // the kind's access, for the messages of a refused device
  const InputEnvironment& env;
};

// The systems a kind exists on.
enum Platform : unsigned { kLinux = 1, kWindows = 2 };
#ifdef _WIN32
inline constexpr unsigned kThisPlatform = kWindows;
#else
inline constexpr unsigned kThisPlatform = kLinux;
#endif

// How an input uses the port library.
enum class PortLibrary {
  unused,
  // Started first; the program cannot go on when it fails ("KIRVO Init Error!!").
  needed,
  // Started when [setting] addr= is set; when it cannot be, the input goes on without it.
  ifItStarts,
};

struct InputKind {
  std::string_view name;    // [input] source=
  std::string_view device;  // read when device= is not given; "" for none or the first found
  PortLibrary portLibrary;
  unsigned platforms;  // where it exists (Platform bits)
  Said (*access)();    // what the player must do to be let at it
  // Null in the builds for the platforms it does not exist on. May throw InputUnavailable.
  std::unique_ptr<RawInput> (*make)(const InputRequest& request);
};

// The rows, in the order the player reads them listed; the first is the input without [input].
std::span<const InputKind> inputKinds();
const InputKind& defaultInputKind();
// The row of that source= name; null for a name of none.
const InputKind* findInputKind(std::string_view name);
// Their names as the player reads a list, "port, auto, parport, serial, usbio or gpio"; with
// portLibraryToo false, only those of this build that do not need the port library.
Said inputKindNames(bool portLibraryToo = true);

// The input the settings name, through their pin map and debounce. Throws InputUnavailable
// when it cannot be read in this run (a source= that names none too), and what the port library
// throws when it fails.
std::unique_ptr<InputSource> makeInput(const InputSettings& settings, const InputEnvironment& env);

}  // namespace tallix
