// The captions and value boxes: the fixed captions Label1(0..10), the rate captions, and the
// boxes of the figures, the small wins and the 5-pin count, each at its place, in its colour,
// style and alignment. Value boxes are read-only: the program writes them, the player may
// select and copy.
#pragma once

#include <array>
#include <string>

#include "counting/panel.h"

class QWidget;

namespace tallix::window {

class Texts {
 public:
  explicit Texts(QWidget* parent);
  void render(const Panel& panel);

 private:
  std::array<QWidget*, kTextCount> widgets_{};
  std::array<std::string, kTextCount> shown_;
};

}  // namespace tallix::window
