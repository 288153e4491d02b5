// The bridge's firmware on a simulated Uno: an ATmega328P at 16 MHz (simavr) running the .elf
// the build made, its pins D2-D9 and the input of its serial line driven by the test, what it
// sends on the line kept. Time is the chip's own, counted in its clock cycles, so nothing here
// depends on how fast the host runs it.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>

struct avr_t;
struct avr_irq_t;

namespace tallix::testing {

class SimulatedUno {
 public:
  static constexpr std::uint64_t kCyclesPerMs = 16000;

  // Loads the firmware; throws std::runtime_error when it cannot. The pins read high (every
  // contact open) until setPins() says otherwise.
  explicit SimulatedUno(const std::string& elfPath);
  ~SimulatedUno();
  SimulatedUno(const SimulatedUno&) = delete;
  SimulatedUno& operator=(const SimulatedUno&) = delete;

  std::uint64_t cycle() const;
  // Runs the firmware until the chip's clock reaches `cycle`; throws when the firmware stops.
  void runUntil(std::uint64_t cycle);
  void runMs(double ms) { runUntil(cycle() + static_cast<std::uint64_t>(ms * kCyclesPerMs)); }

  // The levels of D2-D9 from bit 0-7 of `levels`; a bit clear is a contact closed to GND.
  void setPins(std::uint8_t levels);
  // Bytes for the board's serial input: they arrive at the line's speed (115200 baud) from now.
  void send(std::string_view bytes);
  // Everything the board sent so far.
  const std::string& output() const { return output_; }

  // A 32-bit variable of the firmware, by its name in the .elf (timer0_millis: millis()).
  std::uint32_t read32(const std::string& symbol) const;
  void write32(const std::string& symbol, std::uint32_t value);

 private:
  static void onOutput(avr_irq_t*, std::uint32_t value, void* self);
  static void onXon(avr_irq_t*, std::uint32_t, void* self);
  static void onXoff(avr_irq_t*, std::uint32_t, void* self);
  void feedInput();
  std::uint8_t* address(const std::string& symbol) const;

  avr_t* avr_;
  std::map<std::string, std::uint32_t> symbols_;  // data addresses
  avr_irq_t* pins_[8];
  avr_irq_t* serialIn_;
  std::deque<std::uint8_t> pendingInput_;  // held back while the UART's input is full
  bool inputFull_ = false;
  std::string output_;
};

}  // namespace tallix::testing
