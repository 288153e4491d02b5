// tallix.exe, the data counter on Windows: one window, frmTallix, drawn with the Win32 API over
// the same session as the Qt program on Linux. Its start-up is the program's start and its
// closing the program's end.
//
//   tallix.exe [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]]
//              [--record-trace FILE] [--serve[=PORT]] [--data-dir DIR] | --help | --version
//
// The window reads the input the settings name (the port through the port library by default),
// or with --simulate the built-in simulated machine; --record-trace appends every change of the
// port byte that is counted to a trace file; --serve serves the live view. --help and --version
// answer on the console that started the program, or in a box.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/arguments.h"
#include "base/files.h"
#include "base/places.h"
#include "base/say.h"
#include "console.h"
#include "dialogs.h"
#include "frm_tallix.h"
#include "language.h"
#include "one_window.h"
#include "session/command_line.h"
#include "session/launch.h"

namespace {

using namespace tallix::win32;

// Says something for the command line, on its console or else in a box.
void tell(const std::wstring& text, Stream stream) {
  if (!writeConsole(text, stream)) showMessage(nullptr, text);
}

int refuse(const tallix::Said& why, bool usage = false) {
  tell(L"tallix: " + translated(why) + L"\n" +
           (usage ? translated(tallix::usageText()) : std::wstring()),
       Stream::error);
  return 2;
}

// A variable of the environment in UTF-8, as the program holds every name (getenv gives the
// code page's bytes, which cannot name every folder), or null when it is not set.
const char* environment(const char* name) {
  static std::map<std::string, std::string> values;
  const wchar_t* value = _wgetenv(widen(name).c_str());
  if (value == nullptr) return nullptr;
  return (values[name] = narrow(value)).c_str();
}

tallix::Places places(const tallix::CommandLine& options) {
  return tallix::findPlaces(tallix::AppDir(), options.dataDir, environment);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tallix::CommandLine options;
  try {
    options = tallix::parseCommandLine(tallix::programArguments(0, nullptr));
  } catch (const tallix::CommandLineError& e) {
    return refuse(e.said(), true);
  }
  if (options.help) {
    tell(translated(tallix::helpText(places(options))), Stream::output);
    return 0;
  }
  if (options.version) {
    tell(L"tallix " TALLIX_VERSION "\n", Stream::output);
    return 0;
  }

  // The imaging component (the digit pictures) and the file dialogs are COM's.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const INITCOMMONCONTROLSEX controls{
      sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  std::optional<tallix::Launch> launch;
  try {
    launch.emplace(options);
  } catch (const std::exception& e) {
    return refuse(tallix::saidOf(e));
  }

  FrmTallix frmTallix(launch->windowStart(places(options), settingsSample()));
  const std::string record = frmTallix.session().recordPath().string();
  if (bringForward(record)) {
    writeConsole(L"tallix: " +
                     translated(Say::tr(
                         "%1 is in use by another Tallix, which was brought forward.", {record})) +
                     L"\n",
                 Stream::error);
    return 0;
  }
  if (!frmTallix.Form_Load()) return frmTallix.exitStatus();
  frmTallix.show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frmTallix.takeKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return frmTallix.exitStatus();
}
