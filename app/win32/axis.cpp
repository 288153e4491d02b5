#include "axis.h"

#include <algorithm>
#include <cmath>

namespace tallix::win32 {

namespace {

// A round number near x: the next at or above x for `up`, else the nearest.
double nice(double x, bool up) {
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  const double q = x / power;
  if (up) return power * (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10);
  return power * (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10);
}

}  // namespace

int Axis::at(double value, int pixels) const {
  return static_cast<int>(std::lround((value - min) / (max - min) * pixels));
}

Axis niceAxis(double min, double max, const Axis& before) {
  const double step = nice(nice(max - min, true) / (std::max(before.ticks, 2) - 1), false);
  const double low = std::floor(min / step), high = std::ceil(max / step);
  return {low * step, high * step, step, static_cast<int>(high - low) + 1};
}

}  // namespace tallix::win32
