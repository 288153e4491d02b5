#include "arguments.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include "cp932.h"
#endif

namespace tallix {

std::vector<std::string> programArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(narrow(args[i]));
  LocalFree(args);
  return utf8;
#else
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

}  // namespace tallix
