#include "linux_usbio.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "base/say.h"

namespace tallix {

namespace {

constexpr std::uint8_t kReadWrite = 0x20;
constexpr int kAnswerMs = 20;  // a board answers within a USB frame or two

class HidapiBoard final : public HidBoard {
 public:
  explicit HidapiBoard(hid_device* device) : device_(device) {}
  ~HidapiBoard() override { hid_close(device_); }
  bool write(const UsbIoReport& report) override {
    std::array<unsigned char, 65> out{};  // report number 0, then the report
    std::copy(report.begin(), report.end(), out.begin() + 1);
    return hid_write(device_, out.data(), out.size()) >= 0;
  }
  std::optional<std::optional<UsbIoReport>> read(int timeoutMs) override {
    UsbIoReport in{};
    const int n = hid_read_timeout(device_, in.data(), in.size(), timeoutMs);
    if (n < 0) return std::nullopt;
    if (n == 0) return std::optional<UsbIoReport>();
    return std::optional<UsbIoReport>(in);
  }

 private:
  hid_device* device_;
};

// The hidraw path of the first board found, or "".
std::string firstBoard() {
  std::string path;
  for (std::uint16_t product : kUsbIoProducts) {
    hid_device_info* list = hid_enumerate(kUsbIoVendor, product);
    if (list != nullptr && path.empty()) path = list->path;
    hid_free_enumeration(list);
  }
  return path;
}

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

HidOpener hidapiOpener(std::string access) {
  return [access = std::move(access)](const std::string& device) -> std::unique_ptr<HidBoard> {
    if (hid_init() != 0) throw InputError(Say::tr("hidapi could not start"));
    const std::string path = device.empty() ? firstBoard() : device;
    if (path.empty()) {
      throw InputError(
          Say::tr("no USB I/O board (vendor 1352, product 0120 or 0121) is plugged in"));
    }
    errno = 0;
    hid_device* opened = hid_open_path(path.c_str());
    if (opened == nullptr) throw deviceError(path, errno != 0 ? errno : EACCES, access);
    return std::make_unique<HidapiBoard>(opened);
  };
}

std::unique_ptr<RawInput> makeUsbIoInput(const InputRequest& request) {
  return std::make_unique<UsbIoInput>(request.device, hidapiOpener(request.access));
}

std::int64_t UsbIoInput::read(std::int64_t nowMs, LevelSink& out) {
  ++sequence_;
  if (!board_->write(usbIoCommand(sequence_))) {
    throw InputError(Say::tr("%1: unplugged", {name()}));
  }
  // Answers to earlier commands that came late are passed over.
  for (int tries = 0; tries < 4; ++tries) {
    const auto answer = board_->read(kAnswerMs);
    if (!answer) throw InputError(Say::tr("%1: unplugged", {name()}));
    if (!*answer) break;
    if (const auto levels = usbIoLevels(**answer, sequence_)) {
      out.level(nowMs, *levels);
      return nowMs;
    }
  }
  throw InputError(
      Say::tr("%1: does not answer the command 0x20 (is it a USB-IO board?)", {name()}));
}

}  // namespace tallix
