// The window's design as data: places in twips, the six text styles and the colours of the
// panel. Every area of the window builds its controls from these.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

#include "counting/panel.h"

namespace tallix::window {

// The client area: 12090 x 9150 twips.
inline constexpr int kClientWidth = 806;
inline constexpr int kClientHeight = 610;

// A place as the design gives it: left, top, width, height in twips (15 twips a pixel at 96 dpi).
struct Twips {
  int left, top, width, height;
};
constexpr int px(int twips) {
  return (twips + 7) / 15;
}  // nearest pixel
QRect toPixels(Twips place);

// The text styles A to F.
enum class Style { A, B, C, D, E, F };
QFont designFont(Style style);

inline QColor toQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}
inline constexpr QRgb kWhite = 0xFFFFFF;
inline constexpr QRgb kLightYellow = 0xFFFF80;  // value boxes
inline constexpr QRgb kOrange = 0xFFC080;       // rate 1
inline constexpr QRgb kGreen = 0x80FF80;        // rate 2
inline constexpr QRgb kCyan = 0x80FFFF;         // rate 3
inline constexpr QRgb kPink = 0xFFC0FF;         // small wins

// A caption on the black of the window or a frame, in its colour and style, at its place. The
// label grows right and down from its place where the font needs more room than the design
// gives, so that no text is cut; its background stays transparent.
class Caption : public QLabel {
 public:
  Caption(QWidget* parent, const QString& name, const QString& text, Twips place, Style style,
          QRgb colour);
  void setCaption(const QString& text);
  void setColour(QColor colour);

 private:
  QSize design_;
};

}  // namespace tallix::window
