// The simulated machine behind the port interface: reading the data register gives the byte
// that the machine's lines put there at the moment the driver's clock tells. Nothing touches a
// real port: start succeeds, the control write is accepted and ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "port/port.h"
#include "simulation/machine.h"

namespace tallix {

class SimulatedPort : public Port {
 public:
  // clock: milliseconds since the play began, from the driver (the window's elapsed timer, a
  // test); it must not go back.
  SimulatedPort(Machine machine, std::function<std::int64_t()> clock)
      : machine_(std::move(machine)), clock_(std::move(clock)) {}

  std::int32_t start() override { return 0; }
  std::string lastError() override { return ""; }
  std::int32_t stop() override { return 0; }
  // Every address reads the data register of the machine's port.
  std::int16_t inpB(std::uint16_t port) override;
  void outB(std::uint16_t, std::int16_t) override {}

  Machine& machine() { return machine_; }
  const Machine& machine() const { return machine_; }

 private:
  Machine machine_;
  std::function<std::int64_t()> clock_;
};

}  // namespace tallix
