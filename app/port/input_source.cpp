#include "input_source.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstring>

#include "base/say.h"

namespace tallix {

InputError deviceError(const Said& device, int error, const Said& access) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return InputError(
          Say::tr("%1: not found (is it plugged in, and is the device name in tallix.ini right?)",
                  {device}),
          InputError::Kind::absent);
    case EACCES:
    case EPERM:
      return InputError(Say::tr("%1: permission refused (%2)", {device, access}));
    case EBUSY:
      return InputError(Say::tr("%1: busy (another program is using it)", {device}),
                        InputError::Kind::busy);
    default:
      return InputError(Say::tr("%1: %2", {device, std::strerror(error)}));
  }
}

#ifdef _WIN32
InputError windowsDeviceError(const Said& device, unsigned long error, const Said& access) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
      return deviceError(device, ENOENT, access);
    // Another program holds it: a COM port, for one, is one program's at a time.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return InputError(Say::tr("%1: in use by another program (%2)", {device, access}),
                        InputError::Kind::busy);
    default:
      return InputError(Say::tr("%1: Windows error %2", {device, std::to_string(error)}));
  }
}
#endif

InputSource::~InputSource() {
  if (open_) input_->close();
}

void InputSource::poll(std::int64_t nowMs, ChangeSink& out) {
  out_ = &out;
  try {
    if (!open_) {
      if (nowMs < retryAt_) return;
      input_->open(nowMs);
      open_ = true;
      if (const Said found = input_->found(); !found.empty()) {
        troubled_ = false;  // said as found, not as back
        out.found(found);
      }
    }
    mapper_.advance(input_->read(nowMs, *this), out);
  } catch (const InputError& e) {
    if (open_) input_->close();
    open_ = false;
    retryAt_ = nowMs + kRetryMs;
    say(saidOf(e), out);
  }
}

void InputSource::level(std::int64_t ms, std::uint32_t raw) {
  if (troubled_) say("", *out_);  // the input is back once it hands on a level
  watch_.level(ms, raw);
  mapper_.level(ms, raw, *out_);
}

void InputSource::say(const Said& problem, ChangeSink& out) {
  troubled_ = !problem.empty();
  out.problem(problem);
}

}  // namespace tallix
