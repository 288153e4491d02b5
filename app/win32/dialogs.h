// The dialogs of tallix.exe: the message box, the question with two answers, and the common file
// dialogs of the Load and Save buttons and of the CSV exports. Each is modal to the window given.
#pragma once

#include <windows.h>

#include <string>

#include "records/commands.h"
#include "session/session.h"

namespace tallix::win32 {

// A message with an OK button only and the program's title as caption; `detail`, when not empty,
// stands beneath the text. Returns when the player has dismissed it.
void showMessage(HWND owner, const std::wstring& text, const std::wstring& detail = {});
// A question with two buttons, and which of them the player pressed. Only the buttons end it
// (no Escape, no close box), since `no` may be what cannot be undone; none when it could not be
// shown.
SessionView::Answer ask(HWND owner, const std::wstring& text, const std::wstring& yes,
                        const std::wstring& no);

// The open and save dialogs of the record commands: filter "*.log" (the open dialog also offers
// every file), opened in the folder given; a name typed without an extension is saved as a .log,
// and the save dialog asks before it replaces a file. Paths are UTF-8, as the core has them.
class FileDialogs : public FileDialog {
 public:
  void attachTo(HWND owner) { owner_ = owner; }
  std::string showOpen(const std::string& directory) override;
  std::string showSave(const std::string& directory) override;

 private:
  HWND owner_ = nullptr;
};

// Where to save a CSV file: the save dialog with the filter "*.csv", suggesting `path`; "" when
// the player cancels.
std::string askCsvPath(HWND owner, const std::string& path);

}  // namespace tallix::win32
