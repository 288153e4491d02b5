// The window's design (design/design.h) in Qt's terms: places in pixels, the text styles as
// fonts, colours, and the caption every area of the window builds its fixed texts from.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

#include "design/design.h"

namespace tallix::window {

using design::Style;
using design::Twips;

QRect toPixels(Twips place);
// The look of the windows beside the panel (history, pin monitor): the panel's black, its grey
// lines and light texts.
extern const char* const kDarkStyle;
QFont designFont(Style style);
// Makes Escape close a window beside the panel (history, pin monitor, setting estimate), from
// whichever of its controls has the focus.
void closeOnEscape(QWidget* window);
inline QColor toQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// A caption on the black of the window or a frame, in its colour and style, at its place. The
// label grows right and down from its place where the font needs more room than the design
// gives, so that no text is cut; its background stays transparent.
class Caption : public QLabel {
 public:
  Caption(QWidget* parent, const QString& name, const QString& text, Twips place, Style style,
          Rgb colour);
  void setCaption(const QString& text);
  void setColour(QColor colour);

 private:
  QSize design_;
};

}  // namespace tallix::window
