// The USB I/O board over a double of the system's HID functions: its command, its 12 inputs,
// and what it says when the board fails.
#include "port/usbio.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fakes.h"

namespace tallix {
namespace {

using testing::Levels;

// A board that answers each command with `answer` of the same sequence number, or as told.
class FakeBoard : public HidBoard {
 public:
  std::uint8_t port1 = 0xFF, port2 = 0xFF;
  bool gone = false, silent = false, stale = false;
  bool write(const UsbIoReport& report) override {
    last_ = report;
    return !gone;
  }
  std::optional<std::optional<UsbIoReport>> read(int) override {
    if (gone) return std::nullopt;
    if (silent) return std::optional<UsbIoReport>();
    UsbIoReport answer{};
    answer[0] = last_[0];
    answer[1] = port1;
    answer[2] = port2;
    answer[63] = static_cast<std::uint8_t>(last_[63] - (stale ? 1 : 0));
    stale = false;  // one late answer, then the right one
    return std::optional<UsbIoReport>(answer);
  }

 private:
  UsbIoReport last_{};
};

TEST(UsbIo, ReadsTwelveInputsAndSaysWhenTheBoardFails) {
  const UsbIoReport command = usbIoCommand(9);
  EXPECT_EQ(command[0], 0x20);
  EXPECT_EQ(command[63], 9);

  FakeBoard* board = nullptr;
  UsbIoInput input("", [&](const std::string&) {
    auto b = std::make_unique<FakeBoard>();
    board = b.get();
    return b;
  });
  input.open(0);
  Levels levels;
  board->port1 = 0xA5;
  board->port2 = 0xF3;  // only its low four bits are inputs
  board->stale = true;
  input.read(1, levels);
  EXPECT_EQ(levels.seen, std::vector<std::uint32_t>{0x3A5});

  struct Row {
    bool FakeBoard::*fault;
    const char* message;
  } rows[] = {{&FakeBoard::gone, "the USB I/O board: unplugged"},
              {&FakeBoard::silent,
               "the USB I/O board: does not answer the command 0x20 (is it a USB-IO "
               "board?)"}};
  for (const Row& row : rows) {
    board->*row.fault = true;
    try {
      input.read(2, levels);
      ADD_FAILURE() << "read";
    } catch (const InputError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
    board->*row.fault = false;
  }

  UsbIoInput none("", [](const std::string&) { return nullptr; });
  try {
    none.open(0);
    ADD_FAILURE() << "opened";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "no USB I/O board (vendor 1352, product 0120 or 0121) is plugged in");
  }
}

}  // namespace
}  // namespace tallix
