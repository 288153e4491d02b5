#include "one_window.h"

#include <cstdint>

#include "language.h"

namespace tallix::win32 {

namespace {

constexpr LRESULT kCameForward = 0x7A11;  // "Tallix"
constexpr UINT kWaitMs = 1000;            // for the window asked to answer

UINT askMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tallix.ComeForward");
  return message;
}

// The record's path as the message carries it: FNV-1a of its letters, the case of which does
// not matter on Windows.
LPARAM recordKey(const std::string& record) {
  std::wstring path = widen(record);
  CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : path) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  return static_cast<LPARAM>(hash);
}

struct Search {
  LPARAM key;
  HWND found = nullptr;
};

BOOL CALLBACK ask(HWND window, LPARAM any) {
  auto& search = *reinterpret_cast<Search*>(any);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::wstring_view(name) != kMainWindowClass || process == GetCurrentProcessId()) return TRUE;
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, askMessage(), 0, search.key, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          kWaitMs, &answer) &&
      static_cast<LRESULT>(answer) == kCameForward) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool bringForward(const std::string& record) {
  Search search{recordKey(record)};
  EnumWindows(ask, reinterpret_cast<LPARAM>(&search));
  // A program the player just started may give the foreground to another.
  if (search.found != nullptr) SetForegroundWindow(search.found);
  return search.found != nullptr;
}

std::optional<LRESULT> answerForward(HWND window, const std::string& record, UINT message,
                                     LPARAM asked) {
  if (message != askMessage()) return std::nullopt;
  if (asked != recordKey(record)) return 0;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  return kCameForward;
}

}  // namespace tallix::win32
