#include "simulated_uno.h"

#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_elf.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace tallix::testing {

namespace {

// simavr's own notes (the sections it loaded, ...) stay out of the test's output; its errors
// do not.
void errorsOnly(avr_t*, const int level, const char* format, va_list ap) {
  if (level <= LOG_ERROR) std::vfprintf(stderr, format, ap);
}

constexpr std::uint32_t kDataSpace = 0x800000;  // where an .elf puts the chip's RAM
// D2-D9 of an Uno: port D's bits 2-7, then port B's bits 0-1.
constexpr struct {
  char port;
  int bit;
} kUnoPins[8] = {{'D', 2}, {'D', 3}, {'D', 4}, {'D', 5}, {'D', 6}, {'D', 7}, {'B', 0}, {'B', 1}};

}  // namespace

SimulatedUno::SimulatedUno(const std::string& elfPath) {
  avr_global_logger_set(errorsOnly);
  elf_firmware_t firmware{};
  if (elf_read_firmware(elfPath.c_str(), &firmware) != 0) {
    throw std::runtime_error(elfPath + ": not a firmware simavr can load");
  }
  for (std::uint32_t i = 0; i < firmware.symbolcount; ++i) {
    const avr_symbol_t* s = firmware.symbol[i];
    if (s->addr >= kDataSpace) symbols_[s->symbol] = s->addr - kDataSpace;
  }
  avr_ = avr_make_mcu_by_name("atmega328p");
  if (avr_ == nullptr || avr_init(avr_) != 0) throw std::runtime_error("no simulated ATmega328P");
  firmware.frequency = 16'000'000;
  avr_load_firmware(avr_, &firmware);

  // No echo of the board's lines on the console and no pauses of the host while the firmware
  // polls its UART: the test's time is the chip's.
  std::uint32_t flags = 0;
  avr_ioctl(avr_, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
  avr_irq_register_notify(avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT),
                          onOutput, this);
  avr_irq_register_notify(avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XON), onXon,
                          this);
  avr_irq_register_notify(avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XOFF),
                          onXoff, this);
  serialIn_ = avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
  for (int k = 0; k < 8; ++k) {
    pins_[k] = avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(kUnoPins[k].port), kUnoPins[k].bit);
    avr_raise_irq(pins_[k], 1);
  }
}

SimulatedUno::~SimulatedUno() {
  avr_terminate(avr_);
}

std::uint64_t SimulatedUno::cycle() const {
  return avr_->cycle;
}

void SimulatedUno::runUntil(std::uint64_t cycle) {
  while (avr_->cycle < cycle) {
    const int state = avr_run(avr_);
    if (state == cpu_Done || state == cpu_Crashed) {
      throw std::runtime_error("the firmware stopped at cycle " + std::to_string(avr_->cycle));
    }
  }
}

void SimulatedUno::setPins(std::uint8_t levels) {
  for (int k = 0; k < 8; ++k) avr_raise_irq(pins_[k], (levels >> k) & 1);
}

void SimulatedUno::send(std::string_view bytes) {
  pendingInput_.insert(pendingInput_.end(), bytes.begin(), bytes.end());
  feedInput();
}

void SimulatedUno::feedInput() {
  while (!inputFull_ && !pendingInput_.empty()) {
    const std::uint8_t byte = pendingInput_.front();
    pendingInput_.pop_front();
    avr_raise_irq(serialIn_, byte);
  }
}

void SimulatedUno::onOutput(avr_irq_t*, std::uint32_t value, void* self) {
  static_cast<SimulatedUno*>(self)->output_ += static_cast<char>(value);
}

void SimulatedUno::onXon(avr_irq_t*, std::uint32_t, void* self) {
  auto* uno = static_cast<SimulatedUno*>(self);
  uno->inputFull_ = false;
  uno->feedInput();
}

void SimulatedUno::onXoff(avr_irq_t*, std::uint32_t, void* self) {
  static_cast<SimulatedUno*>(self)->inputFull_ = true;
}

std::uint8_t* SimulatedUno::address(const std::string& symbol) const {
  const auto found = symbols_.find(symbol);
  if (found == symbols_.end()) throw std::runtime_error("the firmware has no " + symbol);
  return avr_->data + found->second;
}

std::uint32_t SimulatedUno::read32(const std::string& symbol) const {
  std::uint32_t value;
  std::memcpy(&value, address(symbol), sizeof value);  // both little-endian
  return value;
}

void SimulatedUno::write32(const std::string& symbol, std::uint32_t value) {
  std::memcpy(address(symbol), &value, sizeof value);
}

}  // namespace tallix::testing
