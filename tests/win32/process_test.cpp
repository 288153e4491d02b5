// The command line tallix.exe starts itself again with: every argument comes back as it was.
#include "win32/process.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include "win32/language.h"

namespace tallix::win32 {
namespace {

TEST(Process, EveryArgumentComesBackAsItWas) {
  const std::vector<std::string> rows[] = {
      {"--simulate"},
      {"--simulate", "--data-dir", "C:\\Users\\Ann Lee\\プレイ"},
      {"--data-dir", "C:\\trailing\\"},
      {"--data-dir", "C:\\with space\\"},
      {"a\"b", "c\\\"d", "\\\\\"", ""},
      {"\t", "x y\\\\"},
  };
  for (const auto& args : rows) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const std::wstring program = L"C:\\Program Files\\Tallix\\tallix.exe";
    int count = 0;
    wchar_t** back = CommandLineToArgvW(commandLineOf(program, args).c_str(), &count);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(count, static_cast<int>(args.size()) + 1);
    EXPECT_EQ(back[0], program);
    for (std::size_t i = 0; i < args.size(); ++i) EXPECT_EQ(narrow(back[i + 1]), args[i]);
    LocalFree(back);
  }
}

}  // namespace
}  // namespace tallix::win32
