// The USB I/O board through a double of the Windows HID functions: the board found among the
// HID interfaces by its vendor and product, its reports framed with their report number, its
// answer waited for no longer than asked, and a board that is gone.
#include "port/win_usbio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace tallix {
namespace {

using testing::Levels;

// The HID devices present and a board that answers each command as a real one does, at once,
// only once its late read is being cancelled, never, or not at all since it is gone.
struct Hid {
  struct Device {
    std::wstring path;
    std::uint16_t vendor, product;
    DWORD refusal = 0;  // what opening it for reading and writing fails with
  };
  enum class Answer { atOnce, asCancelled, never, gone };

  static inline std::vector<Device> devices;
  static inline Answer answer = Answer::atOnce;
  static inline std::vector<std::wstring> opened;  // for reading and writing
  static inline int handles = 0;                   // open, not closed yet
  static inline std::vector<std::vector<std::uint8_t>> written;
  static inline std::optional<std::vector<std::uint8_t>> report;  // to be read
  static inline void* reading = nullptr;                          // the read under way
  static inline bool cancelled = false;

  static void reset(std::vector<Device> present, Answer a = Answer::atOnce) {
    devices = std::move(present);
    answer = a;
    opened.clear();
    written.clear();
    report.reset();
    reading = nullptr;
  }
  static const Device& of(HANDLE handle) {
    return devices.at(static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(handle)) - 1);
  }

  static const HidCalls& calls() {
    static const HidCalls c{
        [] {
          std::vector<std::wstring> paths;
          for (const Device& d : devices) paths.push_back(d.path);
          return paths;
        },
        [](const wchar_t* path, bool readWrite) {
          const auto d = std::find_if(devices.begin(), devices.end(),
                                      [&](const Device& d) { return d.path == path; });
          const DWORD refusal = d == devices.end() ? ERROR_FILE_NOT_FOUND
                                : readWrite        ? d->refusal
                                                   : 0;
          if (refusal != 0) {
            SetLastError(refusal);
            return INVALID_HANDLE_VALUE;
          }
          ++handles;
          if (readWrite) opened.push_back(path);
          return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(d - devices.begin() + 1));
        },
        [](HANDLE device, std::uint16_t& vendor, std::uint16_t& product) {
          vendor = of(device).vendor;
          product = of(device).product;
          return true;
        },
        [](HANDLE, const void* bytes, DWORD size, OVERLAPPED*) {
          const auto* b = static_cast<const std::uint8_t*>(bytes);
          written.emplace_back(b, b + size);
          // The answer: report number 0, the command, port 1 0xA5, port 2 0xF3 (its low four
          // bits are inputs), and the command's sequence number last.
          report = std::vector<std::uint8_t>(65);
          (*report)[1] = b[1];
          (*report)[2] = 0xA5;
          (*report)[3] = 0xF3;
          (*report)[64] = b[64];
          return TRUE;  // written at once
        },
        [](HANDLE, void* bytes, DWORD, OVERLAPPED*) {
          if (answer == Answer::gone) {
            SetLastError(ERROR_DEVICE_NOT_CONNECTED);
            return FALSE;
          }
          reading = bytes;
          cancelled = false;
          SetLastError(ERROR_IO_PENDING);
          return FALSE;
        },
        [](HANDLE, OVERLAPPED*, DWORD* bytes, DWORD) {
          if (reading == nullptr) return TRUE;  // the write
          if (report &&
              (answer == Answer::atOnce || (answer == Answer::asCancelled && cancelled))) {
            std::copy(report->begin(), report->end(), static_cast<std::uint8_t*>(reading));
            *bytes = static_cast<DWORD>(report->size());
            report.reset();
            reading = nullptr;
            return TRUE;
          }
          if (cancelled) reading = nullptr;
          SetLastError(cancelled ? ERROR_OPERATION_ABORTED : WAIT_TIMEOUT);
          return FALSE;
        },
        [](HANDLE, OVERLAPPED*) { return cancelled = true, TRUE; },
        [](HANDLE) { return --handles, TRUE; }};
    return c;
  }
};

const Hid::Device kKeyboard{L"\\\\?\\hid#vid_046d&pid_c31c", 0x046D, 0xC31C};
const Hid::Device kOther{L"\\\\?\\hid#vid_1352&pid_0999", 0x1352, 0x0999};
const Hid::Device kBoard{L"\\\\?\\hid#vid_1352&pid_0121", 0x1352, 0x0121};
const Hid::Device kBoard0120{L"\\\\?\\hid#vid_1352&pid_0120", 0x1352, 0x0120};

TEST(WindowsHid, TheBoardIsTheFirstHidInterfaceOfItsVendorAndProducts) {
  const struct {
    std::vector<Hid::Device> present;
    std::string device;
    std::wstring opened;  // "" for none
  } rows[] = {
      {{kKeyboard, kOther, kBoard, kBoard0120}, "", kBoard.path},
      {{kKeyboard, kBoard0120}, "", kBoard0120.path},
      {{kKeyboard, kOther}, "", {}},
      {{kKeyboard}, "\\\\?\\hid#vid_046d&pid_c31c", kKeyboard.path},  // as named
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.device + std::to_string(row.present.size()));
    Hid::reset(row.present);
    {
      const auto board = hidOpener("close it", Hid::calls())(row.device);
      EXPECT_EQ(board != nullptr, !row.opened.empty());
      EXPECT_EQ(Hid::opened, row.opened.empty() ? std::vector<std::wstring>{}
                                                : std::vector<std::wstring>{row.opened});
      EXPECT_EQ(Hid::handles, board ? 1 : 0);  // those looked at are closed again
    }
    EXPECT_EQ(Hid::handles, 0);
  }

  Hid::Device held = kBoard;
  held.refusal = ERROR_SHARING_VIOLATION;
  Hid::reset({held});
  try {
    hidOpener("close it", Hid::calls())("");
    ADD_FAILURE() << "opened";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "the USB I/O board: in use by another program (close it)");
  }
}

TEST(WindowsHid, ReportsGoWithTheirNumberAndAnAnswerIsWaitedForNoLongerThanAsked) {
  const struct {
    Hid::Answer answer;
    const char* problem;  // nullptr: the levels are read
  } rows[] = {
      {Hid::Answer::atOnce, nullptr},
      {Hid::Answer::asCancelled, nullptr},  // came as the late read was cancelled: taken
      {Hid::Answer::never,
       "the USB I/O board: does not answer the command 0x20 (is it a USB-IO board?)"},
      {Hid::Answer::gone, "the USB I/O board: unplugged"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.answer));
    Hid::reset({kBoard}, row.answer);
    UsbIoInput input("", hidOpener("close it", Hid::calls()));
    input.open(0);
    Levels levels;
    try {
      input.read(1, levels);
      EXPECT_EQ(row.problem, nullptr);
      EXPECT_EQ(levels.seen, std::vector<std::uint32_t>{0x3A5});
    } catch (const InputError& e) {
      EXPECT_STREQ(e.what(), row.problem);
    }
    ASSERT_EQ(Hid::written.size(), 1u);
    const UsbIoReport command = usbIoCommand(1);
    EXPECT_EQ(Hid::written[0].size(), 65u);
    EXPECT_EQ(Hid::written[0][0], 0);  // the report number
    EXPECT_TRUE(std::equal(command.begin(), command.end(), Hid::written[0].begin() + 1));
    EXPECT_EQ(Hid::reading, nullptr);  // no read is left under way
  }
}

}  // namespace
}  // namespace tallix
