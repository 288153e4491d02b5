// One window per record. The window that runs a record listens under a name made from the
// record's path; a Tallix started later on the same record asks it to come forward and ends, as
// a player who starts the program twice expects. The record's lock stays the rule (a start that
// finds no window to ask is refused by the lock as before); this only brings the window the
// player looks for to the front.
#pragma once

#include <string>

class QWidget;

namespace tallix::window {

// Asks the window that runs `record` to come forward; true when one answered that it did.
bool bringForward(const std::string& record);

// From now on, brings `window` forward whenever a later start on `record` asks.
void comeForwardWhenAsked(QWidget& window, const std::string& record);

}  // namespace tallix::window
