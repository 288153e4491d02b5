#include "process.h"

#include <windows.h>

#include "language.h"

namespace tallix::win32 {

namespace {

std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  // Backslashes are plain unless they stand before a quote: there each is doubled, and the
  // quote itself escaped.
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');  // before the closing quote
  return out + L"\"";
}

}  // namespace

std::wstring commandLineOf(const std::wstring& program, const std::vector<std::string>& args) {
  // The program's own name is read up to the next quote, without escapes.
  std::wstring line = L"\"" + program + L"\"";
  for (const std::string& arg : args) line += L" " + quoted(widen(arg));
  return line;
}

bool startThisProgram(const std::vector<std::string>& args) {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (n == 0) return false;
    if (n < program.size()) {
      program.resize(n);
      break;
    }
    program.resize(program.size() * 2);
  }
  std::wstring line = commandLineOf(program, args);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

}  // namespace tallix::win32
