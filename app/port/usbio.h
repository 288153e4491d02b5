// The USB digital-I/O board (vendor 0x1352, products 0x0120 and 0x0121): a HID device with 12
// inputs with pull-ups, port 1 (8 inputs: 0-7) and port 2 (4 inputs: 8-11). Each poll sends
// the 64-byte command 0x20, which keeps every pin high (so it reads as an input) and answers
// with the levels of both ports. The board is reached through the system's HID functions:
// hidapi on Linux (linux_usbio.cpp), the Windows HID functions on Windows (win_usbio.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "input_kinds.h"
#include "input_source.h"

namespace tallix {

inline constexpr std::uint16_t kUsbIoVendor = 0x1352;
inline constexpr std::array<std::uint16_t, 2> kUsbIoProducts{0x0120, 0x0121};

using UsbIoReport = std::array<std::uint8_t, 64>;

// The command report for sequence number `sequence`, which the answer repeats.
UsbIoReport usbIoCommand(std::uint8_t sequence);
// The 12 levels of an answer, or nullopt when it is not the answer to that command.
std::optional<std::uint32_t> usbIoLevels(const UsbIoReport& answer, std::uint8_t sequence);

// One opened board.
class HidBoard {
 public:
  virtual ~HidBoard() = default;
  // False when the board is gone.
  virtual bool write(const UsbIoReport& report) = 0;
  // Waits up to timeoutMs; nullopt when the board is gone, an empty answer after the timeout.
  virtual std::optional<std::optional<UsbIoReport>> read(int timeoutMs) = 0;
};

// Opens the board with that path (a hidraw path, a Windows HID interface path), or the first
// one found when `device` is empty; null when none is plugged in. Throws InputError.
using HidOpener = std::function<std::unique_ptr<HidBoard>(const std::string& device)>;
// Through the system's HID functions; a board the system refused says `access`, what the
// player must do.
HidOpener hidOpener(Said access);

class UsbIoInput final : public RawInput {
 public:
  UsbIoInput(std::string device, HidOpener opener)
      : device_(std::move(device)), opener_(std::move(opener)) {}

  void open(std::int64_t) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override { board_.reset(); }

 private:
  std::string device_;
  HidOpener opener_;
  std::unique_ptr<HidBoard> board_;
  std::uint8_t sequence_ = 0;
};

// The board's name in messages: its path, or what it is when it was found.
Said usbIoName(const std::string& device);

// source=usbio.
std::unique_ptr<RawInput> makeUsbIoInput(const InputRequest& request);

}  // namespace tallix
