// The local time of day, as the player's clock shows it.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace tallix {

// The calendar fields of `when` in the local time zone.
std::tm localTime(std::time_t when);

// Milliseconds since the local midnight of the day of `when`.
std::int64_t localTimeOfDayMs(std::chrono::system_clock::time_point when);

}  // namespace tallix
