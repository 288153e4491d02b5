#include "source_factory.h"

#include "base/say.h"

#ifdef TALLIX_LINUX_INPUTS
#include "linux_gpio.h"
#include "linux_parport.h"
#include "linux_usbio.h"
#endif

namespace tallix {

namespace {

// The port library's data register as raw levels.
class PortInput final : public RawInput {
 public:
  PortInput(Port& port, std::uint16_t address) : port_(port), address_(address) {}
  void open(std::int64_t) override {}
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override {
    out.level(nowMs, static_cast<std::uint8_t>(port_.inpB(address_)));
    return nowMs;
  }
  void close() override {}

 private:
  Port& port_;
  std::uint16_t address_;
};

// An input this build cannot read: it says why at every try.
class Unavailable final : public RawInput {
 public:
  explicit Unavailable(std::string why) : why_(std::move(why)) {}
  void open(std::int64_t) override { throw InputError(why_); }
  std::int64_t read(std::int64_t nowMs, LevelSink&) override { return nowMs; }
  void close() override {}

 private:
  std::string why_;
};

#ifdef TALLIX_LINUX_INPUTS
std::uint32_t mappedInputs(const InputSettings& input) {
  std::uint32_t mask = 0;
  for (const auto& pins : input.pins) {
    for (int pin : pins) mask |= std::uint32_t{1} << pin;
  }
  return mask;
}
#endif

#ifdef _WIN32
constexpr const char* kFirstSerial = "COM3";
#else
constexpr const char* kFirstSerial = "/dev/ttyACM0";
#endif

std::unique_ptr<RawInput> rawInput(const InputSettings& input, Port* port, std::uint16_t portAddr,
                                   const SerialOpener& serial) {
  switch (input.source) {
    case InputKind::port:
      if (port == nullptr || portAddr == 0) {
        return std::make_unique<Unavailable>(
            Say::tr("the port address is not set (addr in tallix.ini)"));
      }
      return std::make_unique<PortInput>(*port, portAddr);
    case InputKind::serial:
      if (!serial)
        return std::make_unique<Unavailable>(Say::tr("this program has no serial bridge"));
      return std::make_unique<SerialBridge>(input.device.empty() ? kFirstSerial : input.device,
                                            serial);
#ifdef TALLIX_LINUX_INPUTS
    case InputKind::parport:
      return std::make_unique<ParportInput>(input.device.empty() ? "/dev/parport0" : input.device,
                                            input.statusRegister);
    case InputKind::usbio:
      return std::make_unique<UsbIoInput>(input.device, hidapiOpener());
    case InputKind::gpio:
      return std::make_unique<GpioInput>(input.device.empty() ? "gpiochip0" : input.device,
                                         mappedInputs(input));
#else
    case InputKind::parport:
    case InputKind::usbio:
    case InputKind::gpio:
      break;
#endif
  }
  return std::make_unique<Unavailable>(
      Say::tr("source=parport, usbio and gpio exist on Linux only"));
}

}  // namespace

std::unique_ptr<InputSource> makeSource(const InputSettings& input, Port* port,
                                        std::uint16_t portAddr, const SerialOpener& serial) {
  return std::make_unique<InputSource>(rawInput(input, port, portAddr, serial), input);
}

}  // namespace tallix
