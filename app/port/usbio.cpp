#include "usbio.h"

#include "base/say.h"

namespace tallix {

namespace {

constexpr std::uint8_t kReadWrite = 0x20;
constexpr int kAnswerMs = 20;  // a board answers within a USB frame or two

}  // namespace

UsbIoReport usbIoCommand(std::uint8_t sequence) {
  UsbIoReport report{};
  report[0] = kReadWrite;
  report[1] = 1;  // port 1
  report[2] = 0xFF;
  report[3] = 2;  // port 2
  report[4] = 0x0F;
  report[63] = sequence;
  return report;
}

std::optional<std::uint32_t> usbIoLevels(const UsbIoReport& answer, std::uint8_t sequence) {
  if (answer[0] != kReadWrite || answer[63] != sequence) return std::nullopt;
  return answer[1] | (answer[2] & 0x0Fu) << 8;
}

Said usbIoName(const std::string& device) {
  return device.empty() ? Say::tr("the USB I/O board") : device;
}

void UsbIoInput::open(std::int64_t) {
  board_ = opener_(device_);
  if (!board_) {
    throw InputError(Say::tr("no USB I/O board (vendor 1352, product 0120 or 0121) is plugged in"),
                     InputError::Kind::absent);
  }
}

std::int64_t UsbIoInput::read(std::int64_t nowMs, LevelSink& out) {
  ++sequence_;
  if (!board_->write(usbIoCommand(sequence_))) {
    throw InputError(Say::tr("%1: unplugged", {usbIoName(device_)}));
  }
  // Answers to earlier commands that came late are passed over.
  for (int tries = 0; tries < 4; ++tries) {
    const auto answer = board_->read(kAnswerMs);
    if (!answer) throw InputError(Say::tr("%1: unplugged", {usbIoName(device_)}));
    if (!*answer) break;
    if (const auto levels = usbIoLevels(**answer, sequence_)) {
      out.level(nowMs, *levels);
      return nowMs;
    }
  }
  throw InputError(Say::tr("%1: does not answer the command 0x20 (is it a USB-IO board?)",
                           {usbIoName(device_)}));
}

std::unique_ptr<RawInput> makeUsbIoInput(const InputRequest& request) {
  return std::make_unique<UsbIoInput>(request.device, hidOpener(request.access));
}

}  // namespace tallix
