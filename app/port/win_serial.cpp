#include "win_serial.h"

#include <windows.h>
// After windows.h:
#include <setupapi.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <vector>

#include "base/cp932.h"
#include "base/numbers.h"
#include "base/say.h"
#include "bridge_boards.h"
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

// COM3 before COM10.
bool byNumber(const std::string& a, const std::string& b) {
  return std::pair(a.size(), a) < std::pair(b.size(), b);
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
  std::sort(ports.begin(), ports.end(), byNumber);
  return ports;
}

// Says when the list of COM ports may have changed. Windows lists them under
// HKLM\HARDWARE\DEVICEMAP (in SERIALCOMM, which it makes with the first port) and notifies a
// change there on an event: no window is needed, and the event may be looked at from any
// thread. Where the key cannot be watched, every look counts as a change: the list is read
// again, which disturbs no device.
class PortListWatch {
 public:
  PortListWatch() {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP", 0, KEY_NOTIFY, &key_) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);  // reset by the wait that sees it
    if (!arm()) stop();
  }
  ~PortListWatch() { stop(); }
  PortListWatch(const PortListWatch&) = delete;
  PortListWatch& operator=(const PortListWatch&) = delete;

  // True when the list may have changed since the last call.
  bool changed() {
    if (event_ == nullptr) return true;
    if (WaitForSingleObject(event_, 0) != WAIT_OBJECT_0) return false;
    if (!arm()) stop();
    return true;
  }

 private:
  bool arm() {
    return event_ != nullptr &&
           RegNotifyChangeKeyValue(
               key_, TRUE,
               REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_THREAD_AGNOSTIC,
               event_, TRUE) == ERROR_SUCCESS;
  }
  void stop() {
    if (event_ != nullptr) CloseHandle(event_);
    if (key_ != nullptr) RegCloseKey(key_);
    event_ = nullptr;
    key_ = nullptr;
  }

  HKEY key_ = nullptr;
  HANDLE event_ = nullptr;
};

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

std::unique_ptr<SerialLink> openComPort(const std::string& device, const Said& access) {
  const auto path = comPortPath(device);
  if (!path) {
    throw InputError(Say::tr(
        "%1: not a COM port (device= takes COM3 or \\\\.\\COM12: the port that Device Manager "
        "lists under \"Ports (COM & LPT)\")",
        {device}));
  }
  // Shared with no one: the port is this program's alone, and one that another program holds
  // fails to open (ERROR_ACCESS_DENIED) without disturbing that program.
  const HANDLE port = CreateFileW(widen(*path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      throw InputError(
          Say::tr("%1: no such COM port (is the board plugged in? Device Manager lists its port "
                  "under \"Ports (COM & LPT)\")",
                  {device}),
          InputError::Kind::absent);
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

namespace {

// The four hex digits after `key` ("VID_") in a hardware id ("USB\VID_2341&PID_0043&REV_0001",
// "FTDIBUS\COMPORT&VID_0403&PID_6001"); nullopt when it has none.
std::optional<std::uint16_t> idIn(std::wstring_view id, std::wstring_view key) {
  const std::size_t at = id.find(key);
  if (at == std::wstring_view::npos || id.size() < at + key.size() + 4) return std::nullopt;
  return wholeNumber<std::uint16_t>(narrow(std::wstring(id.substr(at + key.size(), 4))), 0, 0xFFFF,
                                    16);
}

// The device setup class Ports (COM & LPT), GUID_DEVCLASS_PORTS.
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// The COM ports of the bridge boards plugged in, as the devices of the class Ports list them.
std::vector<std::string> bridgeBoardComPorts() {
  std::vector<std::string> ports;
  const HDEVINFO set = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    wchar_t ids[512] = {};  // REG_MULTI_SZ: the first id is the most specific
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, nullptr,
                                           reinterpret_cast<BYTE*>(ids),
                                           sizeof ids - 2 * sizeof(wchar_t), nullptr)) {
      continue;
    }
    const auto vendor = idIn(ids, L"VID_");
    const auto product = idIn(ids, L"PID_");
    if (!vendor || !product || !isBridgeBoard(*vendor, *product)) continue;
    const HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t port[32] = {};
    DWORD bytes = sizeof port - sizeof port[0];
    DWORD type = 0;
    if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(port), &bytes) ==
            ERROR_SUCCESS &&
        type == REG_SZ && comPortPath(narrow(port))) {
      ports.push_back(narrow(port));
    }
    RegCloseKey(key);
  }
  SetupDiDestroyDeviceInfoList(set);
  std::sort(ports.begin(), ports.end(), byNumber);
  return ports;
}

// openComPort for a named port, and for "" the bridge looked for among every COM port Windows
// lists but those of Bluetooth links.
SerialOpener comPortOpener() {
  // The ports are asked at start, when a port arrives and once a minute, never every second as
  // the input is opened again. The watch starts before the list is first read.
  auto watch = std::make_shared<PortListWatch>();
  return searchingOpener(
      comPorts, openComPort, [watch] { return watch->changed(); }, kAnswerMs,
      Say::tr("no COM port answers as the serial bridge (is the board plugged in, with the bridge "
              "sketch on it? Device Manager lists its port under \"Ports (COM & LPT)\"; device= "
              "in tallix.ini names it)"));
}

}  // namespace

SerialLines systemSerialLines() {
  return {comPortOpener(), bridgeBoardComPorts};
}

}  // namespace tallix
