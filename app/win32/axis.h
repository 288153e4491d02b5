// The value axes of the graphs drawn with GDI (the coin graph, the history window's bonus chart),
// which follow their data as the Qt window's axes do: a range widened to whole steps of a round
// number (1, 2 or 5 times a power of ten). As with Qt's axes, the number of ticks an axis ends up
// with is where the next range starts from, so both windows show the same axes after the same
// draws.
#pragma once

namespace tallix::win32 {

struct Axis {
  double min = 0, max = 1, step = 1;
  int ticks = 5;
  friend bool operator==(const Axis&, const Axis&) = default;
  // The place of a value along `pixels`, from min at 0 to max at pixels.
  int at(double value, int pixels) const;
};

// The axis that shows min to max (min < max), after `before`.
Axis niceAxis(double min, double max, const Axis& before = {});

}  // namespace tallix::win32
