// The digit pictures and the seven digit groups that show the main counters: gameImage,
// totalImage, bigImage, regImage, inImage, outImage and saImage, with the minus element 10 of
// saImage, each element at its place of the design.
#pragma once

#include <windows.h>

#include <array>

#include "counting/panel.h"
#include "gdi.h"

namespace tallix::win32 {

// The 44 pictures of the four picture sets, resources of the program, decoded once at start with
// the Windows Imaging Component: element k (0..9) the digit k, element 10 the minus bar.
class DigitPictures {
 public:
  DigitPictures();  // throws std::runtime_error naming a picture that cannot be decoded
  HBITMAP picture(PictureSet set, int index) const {
    return pictures_[static_cast<std::size_t>(set)][static_cast<std::size_t>(index)].get();
  }

 private:
  std::array<std::array<Gdi<HBITMAP>, 11>, 4> pictures_;
};

class DigitCells {
 public:
  explicit DigitCells(const DigitPictures& pictures);
  // Notes what the panel shows and invalidates in `window` the cells that changed.
  void render(const Panel& panel, HWND window, const Scale& scale);
  void paint(HDC dc, const RECT& dirty, const Scale& scale) const;

 private:
  struct Cell {
    PictureSet set;
    int picture;  // the picture index shown; -1 for a hidden element
  };
  void show(Cell& cell, Cell now, design::Twips place, HWND window, const Scale& scale);

  const DigitPictures& pictures_;
  std::array<std::array<Cell, 6>, kGroupCount> cells_;
  Cell minus_;  // element 10 of saImage
};

}  // namespace tallix::win32
