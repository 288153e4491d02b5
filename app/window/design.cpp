#include "design.h"

#include <QStringList>

namespace tallix::window {

QRect toPixels(Twips place) {
  return QRect(px(place.left), px(place.top), px(place.width), px(place.height));
}

QFont designFont(Style style) {
  // "ＭＳ Ｐ明朝" is proportional, "ＭＳ 明朝" fixed pitch; IPA Mincho has the same pair. Where
  // neither is installed, fontconfig's Japanese serif serves.
  static const QStringList proportional{"ＭＳ Ｐ明朝", "MS PMincho",        "IPAPMincho",
                                        "IPAMincho",   "Noto Serif CJK JP", "serif"};
  static const QStringList fixed{"ＭＳ 明朝", "MS Mincho", "IPAMincho", "Noto Serif CJK JP",
                                 "serif"};
  struct Size {
    bool proportional;
    int pixels;  // the point sizes 15.75, 14.25, 12 and 8.25 at 96 dpi
    bool bold;
  };
  static constexpr Size kSizes[] = {
      {true, 21, true},    // A
      {true, 19, true},    // B
      {true, 16, true},    // C
      {false, 19, true},   // D
      {false, 16, true},   // E
      {false, 11, false},  // F
  };
  const Size& s = kSizes[static_cast<int>(style)];
  QFont font;
  font.setFamilies(s.proportional ? proportional : fixed);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(s.pixels);
  font.setBold(s.bold);
  return font;
}

Caption::Caption(QWidget* parent, const QString& name, const QString& text, Twips place,
                 Style style, QRgb colour)
    : QLabel(parent), design_(toPixels(place).size()) {
  setObjectName(name);
  setFont(designFont(style));
  setColour(QColor(colour));
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  move(toPixels(place).topLeft());
  setCaption(text);
}

void Caption::setCaption(const QString& text) {
  setText(text);
  const QSize needed = sizeHint();
  resize(std::max(design_.width(), needed.width()), std::max(design_.height(), needed.height()));
}

void Caption::setColour(QColor colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

}  // namespace tallix::window
