// What tallix.exe writes for the command line (--help, --version, a refused argument): a program
// of the Windows subsystem opens no console window of its own, so the text goes where the
// player can read it: to the program's standard output or error when they lead somewhere (a
// pipe, a file), else to the console of the program that started it (cmd, PowerShell).
#pragma once

#include <string>

namespace tallix::win32 {

enum class Stream { output, error };
// False when there is neither: a program started from the desktop.
bool writeConsole(const std::wstring& text, Stream stream = Stream::output);

}  // namespace tallix::win32
