#include "local_time.h"

namespace tallix {

std::tm localTime(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  return local;
}

std::int64_t localTimeOfDayMs(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const std::tm local = localTime(seconds);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      when - std::chrono::system_clock::from_time_t(seconds))
                      .count();
  return ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * std::int64_t{1000} + ms;
}

}  // namespace tallix
