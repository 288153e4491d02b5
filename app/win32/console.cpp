#include "console.h"

#include <windows.h>

#include "language.h"

namespace tallix::win32 {

namespace {

bool writeTo(HANDLE handle, const std::wstring& text) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(handle, &mode)) {
    return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  if (GetFileType(handle) == FILE_TYPE_UNKNOWN) return false;
  const std::string utf8 = narrow(text);  // a pipe or a file gets UTF-8
  return WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

bool writeConsole(const std::wstring& text, Stream stream) {
  const DWORD which = stream == Stream::output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
  if (writeTo(GetStdHandle(which), text)) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  const bool written = writeTo(console, L"\n" + text);  // after the prompt that stands there
  if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
  FreeConsole();
  return written;
}

}  // namespace tallix::win32
