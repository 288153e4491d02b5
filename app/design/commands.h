// The commands the player gives the panel, in one table for every window: the panel's buttons
// and the entries of its context menu, each with the name the windows know it by, its caption,
// its key (with Ctrl, wherever the focus is in the panel) and its place in the menu. Each window
// builds its buttons, context menu, keys and tooltips from it and routes a command by its id.
//
// A menu entry's caption is English, translated in the context "Window" where it is shown; a
// button's caption and tooltip are its design's (kButtons).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "design/design.h"
#include "session/session.h"

// For lupdate only (an alias of QT_TRANSLATE_NOOP): the text is collected for the translations
// in `context` and left as it is here.
#define TALLIX_TRANSLATE_NOOP(context, text) text

namespace tallix::design {

// The ids are also those of the Win32 window's controls and menu entries: the buttons by their
// names, Command3 to Command5.
enum class CommandId : int {
  clear = 3,
  load = 4,
  save = 5,
  history = 100,
  pinMonitor,
  settingEstimate,
  simulatedMachine
};

// Where a command stands in the context menu, in the table's order.
enum class MenuPlace {
  none,            // not in the menu (a button)
  entry,           // an entry
  afterSeparator,  // an entry with a separator above it
};

struct Command {
  CommandId id;
  const char* name;     // the object's name, by which the windows and their tests find it
  const char* caption;  // the menu entry's, in English; null for a button
  char key;             // Ctrl and this letter; 0 for none
  MenuPlace menu;
  const Button* button;  // the button that gives it on the panel; null for a menu entry
};

inline constexpr std::array<Command, 7> kCommands{{
    {CommandId::clear, kButtons[0].name, nullptr, 0, MenuPlace::none, &kButtons[0]},
    {CommandId::load, kButtons[1].name, nullptr, 0, MenuPlace::none, &kButtons[1]},
    {CommandId::save, kButtons[2].name, nullptr, 0, MenuPlace::none, &kButtons[2]},
    {CommandId::history, "openHistory", TALLIX_TRANSLATE_NOOP("Window", "Bonus history..."), 'H',
     MenuPlace::entry, nullptr},
    {CommandId::pinMonitor, "openPinMonitor", TALLIX_TRANSLATE_NOOP("Window", "Pin monitor"), 'M',
     MenuPlace::entry, nullptr},
    {CommandId::settingEstimate, "openSettingEstimate",
     TALLIX_TRANSLATE_NOOP("Window", "Setting estimate..."), 'E', MenuPlace::entry, nullptr},
    {CommandId::simulatedMachine, "startSimulatedMachine",
     TALLIX_TRANSLATE_NOOP("Window", "Tallix (simulated machine)"), 0, MenuPlace::afterSeparator,
     nullptr},
}};

// The command's key as menus write it, "Ctrl+H"; "" for none.
std::string keyText(const Command& command);

// Runs a command that the session does (clear, load, save) and gives its outcome; none for a
// command that opens a window or a program, which the view does.
std::optional<CommandOutcome> runOnSession(Session& session, CommandId id);

}  // namespace tallix::design
