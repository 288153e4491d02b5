#include "panel.h"

namespace tallix {

namespace {

constexpr std::string_view kTextNames[kTextCount] = {
    "temochiCoin",  "dedamaritsu",  "bigKakuritsu", "regKakuritsu", "kankin1",     "kankin2",
    "kankin3",      "tosiKingaku",  "bigCoin",      "bigMaxCoin",   "Text5pin",    "label5pin",
    "koyakulabel0", "koyakulabel1", "koyakulabel2", "koyakudata0",  "koyakudata1", "koyakudata2",
    "rate1Label",   "rate2Label",   "rate3Label"};

constexpr std::string_view kGroupNames[kGroupCount] = {
    "gameImage", "totalImage", "bigImage", "regImage", "inImage", "outImage", "saImage"};

}  // namespace

std::string_view textName(TextId id) {
  return kTextNames[static_cast<std::size_t>(id)];
}
std::string_view groupName(GroupId id) {
  return kGroupNames[static_cast<std::size_t>(id)];
}

Panel::Panel()
    : texts_{{
          {"0"},
          {"0.00%"},
          {"1/-"},
          {"1/-"},
          {"0"},
          {"0"},
          {"0"},
          {"0"},
          {"0"},
          {"0"},
          {"0", false},   // Text5pin
          {"AT", false},  // label5pin
          {"枚役", false},
          {"枚役", false},
          {"枚役", false},
          {"0回　　1/-　　0G/0G", false},
          {"0回　　1/-　　0G/0G", false},
          {"0回　　1/-　　0G/0G", false},
          {"5枚"},
          {"6枚"},
          {"7.6枚"},
      }},
      groups_{{
          {PictureSet::Image1y, 5},  // gameImage
          {PictureSet::Image1g, 5},  // totalImage
          {PictureSet::Image1p, 3},  // bigImage
          {PictureSet::Image1, 3},   // regImage
          {PictureSet::Image1p, 6},  // inImage
          {PictureSet::Image1, 6},   // outImage
          {PictureSet::Image1g, 6},  // saImage
      }} {
  history_[0].colour = kBigColour;
  for (std::size_t i = 1; i < history_.size(); ++i) history_[i].colour = kUnusedHistoryColour;
}

void Panel::setText(TextId id, std::string_view text) {
  std::string& current = texts_[static_cast<std::size_t>(id)].text;
  if (current == text) return;
  current = text;
  ++revisions_.texts;
}

void Panel::setVisible(TextId id, bool visible) {
  bool& current = texts_[static_cast<std::size_t>(id)].visible;
  if (current == visible) return;
  current = visible;
  ++revisions_.texts;
}

void Panel::showValue(GroupId id, std::int64_t value) {
  DigitGroup& group = groups_[static_cast<std::size_t>(id)];
  std::uint64_t rest = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
  bool changed = false;
  for (std::size_t k = group.size; k-- > 0;) {
    const auto digit = static_cast<std::uint8_t>(rest % 10);
    rest /= 10;
    changed = changed || group.digits[k] != digit;
    group.digits[k] = digit;
  }
  if (changed) ++revisions_.digits;
}

void Panel::setSaMinusVisible(bool visible) {
  if (saMinus_ == visible) return;
  saMinus_ = visible;
  ++revisions_.digits;
}

void Panel::setHistoryText(std::size_t i, std::string_view text) {
  if (history_[i].text == text) return;
  history_[i].text = text;
  ++revisions_.history;
}

void Panel::setHistoryColour(std::size_t i, Rgb colour) {
  if (history_[i].colour == colour) return;
  history_[i].colour = colour;
  ++revisions_.history;
}

}  // namespace tallix
