// The USB I/O board on Windows, through the Windows HID functions: the HID interfaces present,
// the board among them by its vendor and product, its reports written and read as files,
// overlapped, so that a read waits no longer than asked. The board is a HID device: Windows
// needs no driver for it and lets every user open it. The Windows calls go through a table
// that the tests replace.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "usbio.h"

namespace tallix {

struct HidCalls {
  // The device paths of the HID interfaces present (SetupDiGetClassDevs with the HID class).
  std::vector<std::wstring> (*interfaces)();
  // CreateFileW for overlapped I/O; with readWrite false only to read the attributes, which
  // Windows allows on any HID device, also on one that another program or the system holds.
  HANDLE (*open)(const wchar_t* path, bool readWrite);
  // HidD_GetAttributes: false when they cannot be read.
  bool (*attributes)(HANDLE device, std::uint16_t& vendor, std::uint16_t& product);
  // WriteFile and ReadFile of a whole report, overlapped.
  BOOL (*writeFile)(HANDLE device, const void* bytes, DWORD size, OVERLAPPED* overlapped);
  BOOL (*readFile)(HANDLE device, void* bytes, DWORD size, OVERLAPPED* overlapped);
  // GetOverlappedResultEx: waits up to waitMs for the transfer to end.
  BOOL (*result)(HANDLE device, OVERLAPPED* overlapped, DWORD* bytes, DWORD waitMs);
  BOOL (*cancel)(HANDLE device, OVERLAPPED* overlapped);  // CancelIoEx
  BOOL (*close)(HANDLE device);                           // CloseHandle
};
const HidCalls& windowsHidCalls();

// The board's opener (usbio.h) through those calls; `device` is a HID interface path.
HidOpener hidOpener(Said access, const HidCalls& calls);

}  // namespace tallix
