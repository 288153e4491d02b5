#include "dialogs.h"

#include <commctrl.h>
#include <commdlg.h>

#include <filesystem>
#include <vector>

#include "language.h"

namespace tallix::win32 {

namespace {

constexpr wchar_t kCaption[] = L"Tallix";

// A message box of a window that is not shown yet (a start-up message) stands on its own.
HWND shownOwner(HWND owner) {
  return owner != nullptr && IsWindowVisible(owner) ? owner : nullptr;
}

// Shows an open or save dialog over `owner`; the path chosen, or "" when cancelled.
std::string fileDialog(HWND owner, bool save, const std::wstring& filter, const wchar_t* extension,
                       const std::wstring& directory, const std::wstring& name = {}) {
  std::vector<wchar_t> file(32768, L'\0');
  name.copy(file.data(), file.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = directory.c_str();
  dialog.lpstrDefExt = extension;
  // The program's current directory stays its own: the port library finds its files there.
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? narrow(file.data()) : std::string();
}

// A filter of the common dialogs: pairs of a description and its pattern, each ended by a null
// character, and the whole ended by another.
std::wstring filterOf(std::initializer_list<std::wstring> parts) {
  std::wstring filter;
  for (const std::wstring& part : parts) filter += part + L'\0';
  return filter;
}

}  // namespace

void showMessage(HWND owner, const std::wstring& text, const std::wstring& detail) {
  const std::wstring whole = detail.empty() ? text : text + L"\n\n" + detail;
  MessageBoxW(shownOwner(owner), whole.c_str(), kCaption,
              MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

SessionView::Answer ask(HWND owner, const std::wstring& text, const std::wstring& yes,
                        const std::wstring& no) {
  const TASKDIALOG_BUTTON buttons[] = {{IDYES, yes.c_str()}, {IDNO, no.c_str()}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = shownOwner(owner);
  config.pszWindowTitle = kCaption;
  config.pszMainIcon = TD_WARNING_ICON;
  config.pszContent = text.c_str();
  config.cButtons = 2;
  config.pButtons = buttons;
  config.nDefaultButton = IDYES;
  int pressed = 0;
  if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr)))
    return SessionView::Answer::none;
  if (pressed == IDYES) return SessionView::Answer::yes;
  return pressed == IDNO ? SessionView::Answer::no : SessionView::Answer::none;
}

std::string FileDialogs::showOpen(const std::string& directory) {
  // A record may have been saved under any name: the open dialog also shows every file.
  return fileDialog(owner_, false,
                    filterOf({L"*.log", L"*.log", translate("Window", "All files (*)"), L"*.*"}),
                    nullptr, widen(directory));
}

std::string FileDialogs::showSave(const std::string& directory) {
  return fileDialog(owner_, true, filterOf({L"*.log", L"*.log"}), L"log", widen(directory));
}

std::string askCsvPath(HWND owner, const std::string& path) {
  const std::filesystem::path suggested(widen(path));
  return fileDialog(owner, true, filterOf({L"*.csv", L"*.csv"}), L"csv",
                    suggested.parent_path().wstring(), suggested.filename().wstring());
}

}  // namespace tallix::win32
