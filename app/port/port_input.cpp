#include "port_input.h"

#include "base/say.h"
#include "input_source.h"
#include "port.h"

namespace tallix {

namespace {

constexpr std::int16_t kControlByte = 0xEC;  // bit 5: the data lines become inputs

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

}  // namespace

std::unique_ptr<RawInput> makePortInput(const InputRequest& request) {
  Port* const port = request.env.port;
  const std::uint16_t address = request.env.portAddr;
  if (port == nullptr) throw InputUnavailable(Say::tr("This program has no port library"));
  // Ports 0 and 2 belong to other hardware: never touch them.
  if (address == 0) {
    throw InputUnavailable(
        Say::tr("The port address is not set (addr in %1)", {request.env.settingsFile}));
  }
  port->outB(static_cast<std::uint16_t>(address + 2), kControlByte);
  port->inpB(address);
  return std::make_unique<PortInput>(*port, address);
}

}  // namespace tallix
