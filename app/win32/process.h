// Starting tallix.exe again as a process of its own (the simulated machine from the context
// menu), with its arguments written as Windows programs read them back.
#pragma once

#include <string>
#include <vector>

namespace tallix::win32 {

// The command line of `program` with `args` (UTF-8): each quoted where it holds a space, a tab
// or a quote, so that CommandLineToArgvW gives every argument back as it was.
std::wstring commandLineOf(const std::wstring& program, const std::vector<std::string>& args);

// Starts this program again with `args`; false when it could not be started.
bool startThisProgram(const std::vector<std::string>& args);

}  // namespace tallix::win32
