// The six port operations: one port instruction each, with no checks and no state.
#include "kirvoport.h"
#include "port_values.h"

namespace {

#if defined(__i386__) || defined(__x86_64__)

std::uint8_t in8(std::uint16_t port) {
  std::uint8_t value;
  __asm__ volatile("inb %w1, %b0" : "=a"(value) : "Nd"(port));
  return value;
}
std::uint16_t in16(std::uint16_t port) {
  std::uint16_t value;
  __asm__ volatile("inw %w1, %w0" : "=a"(value) : "Nd"(port));
  return value;
}
std::uint32_t in32(std::uint16_t port) {
  std::uint32_t value;
  __asm__ volatile("inl %w1, %k0" : "=a"(value) : "Nd"(port));
  return value;
}
void out8(std::uint16_t port, std::uint8_t value) {
  __asm__ volatile("outb %b0, %w1" : : "a"(value), "Nd"(port));
}
void out16(std::uint16_t port, std::uint16_t value) {
  __asm__ volatile("outw %w0, %w1" : : "a"(value), "Nd"(port));
}
void out32(std::uint16_t port, std::uint32_t value) {
  __asm__ volatile("outl %k0, %w1" : : "a"(value), "Nd"(port));
}

#else

// A processor without port instructions: reads see an idle bus (all ones), writes go nowhere.
std::uint8_t in8(std::uint16_t) {
  return 0xFF;
}
std::uint16_t in16(std::uint16_t) {
  return 0xFFFF;
}
std::uint32_t in32(std::uint16_t) {
  return 0xFFFFFFFF;
}
void out8(std::uint16_t, std::uint8_t) {}
void out16(std::uint16_t, std::uint16_t) {}
void out32(std::uint16_t, std::uint32_t) {}

#endif

}  // namespace

extern "C" {

int16_t KIRVO_CALL InpB(uint16_t port) {
  return kirvo::byteResult(in8(port));
}
uint16_t KIRVO_CALL InpW(uint16_t port) {
  return in16(port);
}
uint32_t KIRVO_CALL InpD(uint16_t port) {
  return in32(port);
}
void KIRVO_CALL OutB(uint16_t port, int16_t value) {
  out8(port, kirvo::byteToWrite(value));
}
void KIRVO_CALL OutW(uint16_t port, uint16_t value) {
  out16(port, value);
}
void KIRVO_CALL OutD(uint16_t port, uint32_t value) {
  out32(port, value);
}

}  // extern "C"
