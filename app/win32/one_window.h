// One window per record. A later tallix.exe started on the record that a running window holds
// asks that window to come forward and ends, as a player who starts the program twice expects.
// The record's lock stays the rule (a start that finds no window to ask is refused by the lock);
// this only brings the window the player looks for to the front.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tallix::win32 {

// The class of the main window, by which a later start finds it.
inline constexpr wchar_t kMainWindowClass[] = L"Tallix";

// Asks the window that runs `record` to come forward; true when one did.
bool bringForward(const std::string& record);

// For the main window's procedure: when `message` asks the window that runs `record` to come
// forward, brings `window` forward and gives the answer to return; nullopt for other messages.
std::optional<LRESULT> answerForward(HWND window, const std::string& record, UINT message,
                                     LPARAM asked);

}  // namespace tallix::win32
