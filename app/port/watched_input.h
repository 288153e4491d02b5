// What the pin monitor shows of an input: the levels and edges of its raw inputs as they are
// read, and the lines the pin map gives each. The table's inputs and the simulated machine both
// show so, so that a player can learn the monitor before the machine is wired.
#pragma once

#include "base/say.h"
#include "pin_map.h"
#include "pin_watch.h"

namespace tallix {

class WatchedInput {
 public:
  virtual ~WatchedInput() = default;
  virtual const PinWatch& watch() const = 0;
  virtual const PinMap& map() const = 0;
};

// The source= names of this system's inputs, as the player reads a list: the monitor offers
// them when nothing is read.
Said watchableKindNames();

}  // namespace tallix
