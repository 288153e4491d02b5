#include "texts.h"

#include <QLineEdit>

#include "design.h"

namespace tallix::window {

namespace {

struct FixedCaption {
  int index;
  const char* text;
  Twips place;
  Style style;
};
constexpr std::array<FixedCaption, 11> kLabel1{{
    {4, "Game", {120, 360, 915, 375}, Style::A},
    {5, "Total", {120, 1200, 855, 375}, Style::A},
    {3, "BIG", {120, 2040, 1095, 375}, Style::A},
    {2, "REG", {120, 2880, 1095, 375}, Style::A},
    {0, "IN", {3900, 360, 855, 375}, Style::A},
    {1, "OUT", {3900, 1200, 855, 375}, Style::A},
    {6, "出玉率", {4740, 2760, 1095, 255}, Style::B},
    {7, "Big獲得枚数", {120, 3600, 2055, 375}, Style::C},
    {8, "Big最高獲得枚数", {120, 3960, 2295, 375}, Style::C},
    {9, "投資金額", {4800, 3600, 1335, 375}, Style::C},
    {10, "手持ちコイン", {4800, 3960, 1815, 375}, Style::C},
}};

// The displays of the panel's texts. Captions (labels) show the black behind them; boxes
// have their own black background and a thin border.
enum class Kind { caption, box };
struct TextPlace {
  TextId id;
  Kind kind;
  Twips place;
  Style style;
  QRgb colour;
  Qt::Alignment align;
};
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr std::array<TextPlace, kTextCount> kTexts{{
    {TextId::temochiCoin, Kind::box, {6180, 3960, 1575, 420}, Style::D, kLightYellow, kRight},
    {TextId::dedamaritsu, Kind::box, {5700, 2760, 1815, 345}, Style::D, kLightYellow, kRight},
    {TextId::bigKakuritsu, Kind::box, {2760, 2280, 1215, 420}, Style::D, kLightYellow, kRight},
    {TextId::regKakuritsu, Kind::box, {2760, 3120, 1215, 420}, Style::D, kLightYellow, kRight},
    {TextId::kankin1, Kind::box, {10020, 3600, 1575, 420}, Style::D, kOrange, kRight},
    {TextId::kankin2, Kind::box, {10020, 4020, 1575, 420}, Style::D, kGreen, kRight},
    {TextId::kankin3, Kind::box, {10020, 4440, 1575, 420}, Style::D, kCyan, kRight},
    {TextId::tosiKingaku, Kind::box, {6180, 3600, 1575, 420}, Style::D, kLightYellow, kRight},
    {TextId::bigCoin, Kind::box, {2640, 3600, 1335, 420}, Style::D, kLightYellow, kRight},
    {TextId::bigMaxCoin, Kind::box, {2640, 3960, 1335, 420}, Style::D, kLightYellow, kRight},
    {TextId::Text5pin, Kind::box, {10260, 4920, 1335, 420}, Style::D, kLightYellow, kRight},
    {TextId::label5pin, Kind::box, {8880, 4920, 1335, 420}, Style::B, kLightYellow, kLeft},
    {TextId::koyakulabel0, Kind::box, {120, 4380, 1335, 360}, Style::C, kPink, kLeft},
    {TextId::koyakulabel1, Kind::box, {120, 4740, 1335, 360}, Style::C, kPink, kLeft},
    {TextId::koyakulabel2, Kind::box, {120, 5100, 1335, 360}, Style::C, kPink, kLeft},
    {TextId::koyakudata0, Kind::box, {1620, 4380, 6075, 360}, Style::E, kPink, kLeft},
    {TextId::koyakudata1, Kind::box, {1620, 4740, 6075, 360}, Style::E, kPink, kLeft},
    {TextId::koyakudata2, Kind::box, {1620, 5100, 6075, 360}, Style::E, kPink, kLeft},
    {TextId::rate1Label, Kind::caption, {8880, 3600, 1155, 375}, Style::B, kOrange, kLeft},
    {TextId::rate2Label, Kind::caption, {8880, 4020, 1155, 375}, Style::B, kGreen, kLeft},
    {TextId::rate3Label, Kind::caption, {8880, 4440, 1155, 375}, Style::B, kCyan, kLeft},
}};

QLineEdit* makeBox(QWidget* parent, const TextPlace& t) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  box->setFont(designFont(t.style));
  box->setAlignment(t.align);
  box->setGeometry(toPixels(t.place));
  box->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: %1;"
                                    " border: 1px solid #303030; padding: 0 2px; }")
                         .arg(QColor(t.colour).name()));
  return box;
}

}  // namespace

Texts::Texts(QWidget* parent) {
  for (const FixedCaption& c : kLabel1) {
    new Caption(parent, QStringLiteral("Label1_%1").arg(c.index), QString::fromUtf8(c.text),
                c.place, c.style, kWhite);
  }
  for (const TextPlace& t : kTexts) {
    const QString name = QString::fromUtf8(textName(t.id));
    QWidget* widget = t.kind == Kind::box
                          ? static_cast<QWidget*>(makeBox(parent, t))
                          : new Caption(parent, name, QString(), t.place, t.style, t.colour);
    widget->setObjectName(name);
    widgets_[static_cast<std::size_t>(t.id)] = widget;
  }
}

void Texts::render(const Panel& panel) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextBox& text = panel.text(static_cast<TextId>(i));
    QWidget* widget = widgets_[i];
    if (shown_[i] != text.text) {  // every display starts empty
      if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(QString::fromStdString(text.text));
        box->setCursorPosition(0);
      } else {
        static_cast<Caption*>(widget)->setCaption(QString::fromStdString(text.text));
      }
      shown_[i] = text.text;
    }
    widget->setVisible(text.visible);
  }
}

}  // namespace tallix::window
