// The pin monitor's table as texts, which both windows draw: a row for each raw input of the
// session's input (the port's data lines, those of the [input] source, or the simulated
// machine's lines) with its level, its edges, the width of its last pulse and the lines the pin
// map gives it; above the table, what the monitor waits for.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "base/say.h"

namespace tallix {
class WatchedInput;
}

namespace tallix::design {

inline constexpr std::size_t kPinColumns = 5;  // input, level, edges, last pulse, line
using PinRow = std::array<Said, kPinColumns>;

// The captions of the columns.
PinRow pinMonitorCaptions();

// What the monitor says above its table: with nothing polled (`input` null: the port could not
// be had, or its kind is missing) which inputs of this system it shows; before the input is
// first read, that it waits for it; once read, nothing.
Said pinMonitorNotice(const WatchedInput* input);

// A row for each input the pin map shows. The inputs and their lines are known from the start;
// the level, edges and pulse are empty until the input is first read, the pulse until one ends.
std::vector<PinRow> pinMonitorRows(const WatchedInput& input);

}  // namespace tallix::design
