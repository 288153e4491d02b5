#include "win_usbio.h"

#include <setupapi.h>
// The HID functions' header declares them without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <array>

#include "base/cp932.h"

namespace tallix {

namespace {

// A report as Windows writes and reads it: the report number first (0: the board numbers none),
// then the board's 64 bytes.
constexpr DWORD kReportBytes = 65;
using WireReport = std::array<std::uint8_t, kReportBytes>;
constexpr DWORD kWriteMs = 100;  // a command leaves within a USB frame or two

std::vector<std::wstring> hidInterfaces() {
  GUID hid;
  HidD_GetHidGuid(&hid);
  std::vector<std::wstring> paths;
  const HDEVINFO set =
      SetupDiGetClassDevsW(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  SP_DEVICE_INTERFACE_DATA entry{};
  entry.cbSize = sizeof entry;
  for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hid, i, &entry); ++i) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &entry, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    // The detail is a header with the path after it, in one block of `size` bytes.
    std::vector<DWORD> block(size / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
    detail->cbSize = sizeof *detail;
    if (SetupDiGetDeviceInterfaceDetailW(set, &entry, detail, size, nullptr, nullptr)) {
      paths.emplace_back(detail->DevicePath);
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

class WindowsBoard final : public HidBoard {
 public:
  WindowsBoard(HANDLE device, const HidCalls& calls)
      : device_(device), calls_(calls), event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~WindowsBoard() override {
    calls_.close(device_);
    if (event_ != nullptr) CloseHandle(event_);
  }
  WindowsBoard(const WindowsBoard&) = delete;
  WindowsBoard& operator=(const WindowsBoard&) = delete;

  bool write(const UsbIoReport& report) override {
    WireReport out{};
    std::copy(report.begin(), report.end(), out.begin() + 1);
    return transfer(true, out, kWriteMs) == Transfer::done;
  }

  std::optional<std::optional<UsbIoReport>> read(int timeoutMs) override {
    WireReport in{};
    switch (transfer(false, in, static_cast<DWORD>(timeoutMs))) {
      case Transfer::failed:
        return std::nullopt;
      case Transfer::late:
        return std::optional<UsbIoReport>();
      case Transfer::done:
        break;
    }
    UsbIoReport report;
    std::copy(in.begin() + 1, in.end(), report.begin());
    return std::optional<UsbIoReport>(report);
  }

 private:
  enum class Transfer { done, late, failed };

  // One report written or read, waited for up to waitMs. One that is late is cancelled and then
  // waited for until it has ended, since it fills `bytes` and `overlapped` until then; a report
  // that came in the meantime is taken.
  Transfer transfer(bool write, WireReport& bytes, DWORD waitMs) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = event_;
    const BOOL started = write ? calls_.writeFile(device_, bytes.data(), kReportBytes, &overlapped)
                               : calls_.readFile(device_, bytes.data(), kReportBytes, &overlapped);
    if (!started && GetLastError() != ERROR_IO_PENDING) return Transfer::failed;
    DWORD done = 0;
    if (calls_.result(device_, &overlapped, &done, waitMs)) return Transfer::done;
    // Still under way: WAIT_TIMEOUT, or ERROR_IO_INCOMPLETE after a wait of 0 ms.
    if (const DWORD error = GetLastError(); error != WAIT_TIMEOUT && error != ERROR_IO_INCOMPLETE) {
      return Transfer::failed;
    }
    calls_.cancel(device_, &overlapped);
    if (calls_.result(device_, &overlapped, &done, INFINITE)) return Transfer::done;
    return GetLastError() == ERROR_OPERATION_ABORTED ? Transfer::late : Transfer::failed;
  }

  HANDLE device_;
  const HidCalls& calls_;
  HANDLE event_;  // set when a transfer ends
};

// The path of the first board among the HID interfaces, or "".
std::wstring firstBoard(const HidCalls& calls) {
  for (const std::wstring& path : calls.interfaces()) {
    const HANDLE device = calls.open(path.c_str(), false);
    if (device == INVALID_HANDLE_VALUE) continue;
    std::uint16_t vendor = 0, product = 0;
    const bool read = calls.attributes(device, vendor, product);
    calls.close(device);
    if (read && vendor == kUsbIoVendor &&
        std::find(kUsbIoProducts.begin(), kUsbIoProducts.end(), product) != kUsbIoProducts.end()) {
      return path;
    }
  }
  return {};
}

}  // namespace

const HidCalls& windowsHidCalls() {
  static const HidCalls calls{
      hidInterfaces,
      [](const wchar_t* path, bool readWrite) {
        return CreateFileW(path, readWrite ? GENERIC_READ | GENERIC_WRITE : 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
      },
      [](HANDLE device, std::uint16_t& vendor, std::uint16_t& product) {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (!HidD_GetAttributes(device, &attributes)) return false;
        vendor = attributes.VendorID;
        product = attributes.ProductID;
        return true;
      },
      [](HANDLE device, const void* bytes, DWORD size, OVERLAPPED* overlapped) {
        return WriteFile(device, bytes, size, nullptr, overlapped);
      },
      [](HANDLE device, void* bytes, DWORD size, OVERLAPPED* overlapped) {
        return ReadFile(device, bytes, size, nullptr, overlapped);
      },
      [](HANDLE device, OVERLAPPED* overlapped, DWORD* bytes, DWORD waitMs) {
        return GetOverlappedResultEx(device, overlapped, bytes, waitMs, FALSE);
      },
      [](HANDLE device, OVERLAPPED* overlapped) { return CancelIoEx(device, overlapped); },
      [](HANDLE device) { return CloseHandle(device); }};
  return calls;
}

HidOpener hidOpener(Said access, const HidCalls& calls) {
  return
      [access = std::move(access), &calls](const std::string& device) -> std::unique_ptr<HidBoard> {
        const std::wstring path = device.empty() ? firstBoard(calls) : widen(device);
        if (path.empty()) return nullptr;
        const HANDLE opened = calls.open(path.c_str(), true);
        if (opened == INVALID_HANDLE_VALUE) {
          throw windowsDeviceError(usbIoName(device), GetLastError(), access);
        }
        return std::make_unique<WindowsBoard>(opened, calls);
      };
}

HidOpener hidOpener(Said access) {
  return hidOpener(std::move(access), windowsHidCalls());
}

}  // namespace tallix
