// The digit pictures and the seven digit groups that show the main counters.
#pragma once

#include <QPixmap>
#include <array>
#include <cstdint>

#include "counting/panel.h"

class QLabel;
class QWidget;

namespace tallix::window {

// The 44 pictures of the four picture sets (Image1 cyan, Image1g green, Image1p pink, Image1y
// yellow): element k (0..9) the digit k, element 10 the minus bar. Decoded once, at start.
class DigitPictures {
 public:
  DigitPictures();
  const QPixmap& picture(PictureSet set, int index) const {
    return pictures_[static_cast<std::size_t>(set)][static_cast<std::size_t>(index)];
  }

 private:
  std::array<std::array<QPixmap, 11>, 4> pictures_;
};

// The digit elements of gameImage, totalImage, bigImage, regImage, inImage, outImage and
// saImage, with the minus element 10 of saImage, at their places in the window. An update only
// points an element at a picture that is already decoded.
class DigitGroups {
 public:
  DigitGroups(QWidget* parent, const DigitPictures& pictures);
  void render(const Panel& panel);

 private:
  struct Group {
    std::array<QLabel*, 6> elements{};
    std::array<int, 6> shown{-1, -1, -1, -1, -1, -1};  // picture index each element shows
  };
  const DigitPictures& pictures_;
  std::array<Group, kGroupCount> groups_;
  QLabel* saMinus_;
};

}  // namespace tallix::window
