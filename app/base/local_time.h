// The local time of day, as the player's clock shows it.
#pragma once

#include <chrono>
#include <cstdint>

namespace tallix {

// Milliseconds since the local midnight of the day of `when`.
std::int64_t localTimeOfDayMs(std::chrono::system_clock::time_point when);

}  // namespace tallix
