// The USB I/O board on Linux, through hidapi over hidraw. Non-root access comes from the udev
// rule shipped under packaging/.
#include <hidapi/hidapi.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "base/say.h"
#include "usbio.h"

namespace tallix {

namespace {

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

HidOpener hidOpener(Said access) {
  return [access = std::move(access)](const std::string& device) -> std::unique_ptr<HidBoard> {
    if (hid_init() != 0) throw InputError(Say::tr("hidapi could not start"));
    const std::string path = device.empty() ? firstBoard() : device;
    if (path.empty()) return nullptr;
    errno = 0;
    hid_device* opened = hid_open_path(path.c_str());
    if (opened == nullptr) throw deviceError(path, errno != 0 ? errno : EACCES, access);
    return std::make_unique<HidapiBoard>(opened);
  };
}

}  // namespace tallix
