#include "win_serial.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "base/cp932.h"
#include "base/numbers.h"
#include "base/say.h"
#include "input_source.h"
#include "serial_bridge.h"

namespace tallix {

namespace {

constexpr DWORD kWriteMs = 100;          // "?" leaves at once, unless the port is stuck
constexpr std::int64_t kAnswerMs = 300;  // a board answers "?" within a few ms
constexpr int kMostPorts = 4096;         // the highest number Windows gives a COM port

class ComPort final : public SerialLink {
 public:
  ComPort(HANDLE port, std::string name) : port_(port), name_(std::move(name)) {}
  ~ComPort() override { CloseHandle(port_); }
  ComPort(const ComPort&) = delete;
  ComPort& operator=(const ComPort&) = delete;

  std::string read() override {
    std::string bytes;
    char buffer[4096];
    for (DWORD got = sizeof buffer; got == sizeof buffer;) {
      if (!ReadFile(port_, buffer, sizeof buffer, &got, nullptr)) {
        throw InputError(Say::tr("%1: unplugged", {name_}));
      }
      bytes.append(buffer, got);
    }
    return bytes;
  }

  void write(std::string_view bytes) override {
    DWORD written = 0;
    if (!WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      throw InputError(Say::tr("%1: cannot be written to (unplugged?)", {name_}));
    }
  }

 private:
  HANDLE port_;
  std::string name_;
};

// Sets the port to 115200 baud 8N1 without flow control, and its reads to return at once with
// what has arrived. DTR is held off: an Uno or a Nano restarts when DTR comes on and then spends
// a second and more in its boot loader. RTS is on, which a Leonardo waits for before it sends.
bool setUp(HANDLE port) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb)) return false;
  dcb.BaudRate = CBR_115200;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fAbortOnError = FALSE;
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;  // with the other read timeouts 0: do not wait
  timeouts.WriteTotalTimeoutConstant = kWriteMs;
  return SetCommState(port, &dcb) && SetCommTimeouts(port, &timeouts);
}

std::unique_ptr<SerialLink> openNamed(const std::string& device, const std::string& access) {
  const auto path = comPortPath(device);
  if (!path) {
    throw InputError(Say::tr(
        "%1: not a COM port (device= takes COM3 or \\\\.\\COM12: the port that Device Manager "
        "lists under \"Ports (COM & LPT)\")",
        {device}));
  }
  const HANDLE port = CreateFileW(widen(*path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      throw InputError(
          Say::tr("%1: no such COM port (is the board plugged in? Device Manager lists its port "
                  "under \"Ports (COM & LPT)\")",
                  {device}));
    }
    throw windowsDeviceError(device, error, access);
  }
  if (!setUp(port)) {
    const DWORD error = GetLastError();
    CloseHandle(port);
    throw InputError(Say::tr("%1: cannot be set to 115200 baud 8N1 (Windows error %2)",
                             {device, std::to_string(error)}));
  }
  return std::make_unique<ComPort>(port, device);
}

// The COM ports Windows lists, lowest number first, but those of Bluetooth links: opening one
// calls the paired device, which can take half a minute, and no board sits behind one.
std::vector<std::string> comPorts() {
  std::vector<std::string> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t device[256];
    DWORD deviceLength = std::size(device);
    wchar_t port[32] = {};
    DWORD portBytes = sizeof port - sizeof port[0];  // room for a last L'\0'
    DWORD type = 0;
    const LSTATUS status = RegEnumValueW(key, i, device, &deviceLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(port), &portBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    if (std::wstring_view(device, deviceLength).starts_with(L"\\Device\\BthModem")) continue;
    const std::string name = narrow(port);
    if (comPortPath(name)) ports.push_back(name);
  }
  RegCloseKey(key);
  std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
    return std::pair(a.size(), a) < std::pair(b.size(), b);  // COM3 before COM10
  });
  return ports;
}

}  // namespace

std::optional<std::string> comPortPath(std::string_view device) {
  constexpr std::string_view kDevices = "\\\\.\\";
  if (device.starts_with(kDevices)) device.remove_prefix(kDevices.size());
  std::string com(device.substr(0, 3));
  for (char& c : com) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (com != "COM") return std::nullopt;
  const auto number = wholeNumber<int>(device.substr(3), 1, kMostPorts);
  if (!number) return std::nullopt;
  return std::string(kDevices) + "COM" + std::to_string(*number);
}

std::unique_ptr<SerialLink> openComPort(const std::string& device, const std::string& access) {
  if (!device.empty()) return openNamed(device, access);
  std::vector<std::string> refused;
  if (auto link = firstBridge(comPorts(), openNamed, access, kAnswerMs, refused)) return link;
  std::string why = Say::tr(
      "no COM port answers as the serial bridge (is the board plugged in, with the bridge "
      "sketch on it? Device Manager lists its port under \"Ports (COM & LPT)\"; device= in "
      "tallix.ini names it)");
  for (const std::string& reason : refused) why = Say::tr("%1; %2", {why, reason});
  throw InputError(why);
}

}  // namespace tallix
