// The panel: the state of every display of the main window, in plain data. The counting
// engine, the records and the commands write it; the Qt window only renders it, area by area,
// when that area's revision has changed since it last looked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart.h"

namespace tallix {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

// Bonus kinds are told apart by the colour of their history entry.
inline constexpr Rgb kBigColour{255, 128, 128};
inline constexpr Rgb kRegColour{255, 255, 128};
inline constexpr Rgb kUnusedHistoryColour{255, 0, 0};  // entries 1..9 before their first bonus

// The text displays, named as the window's controls.
enum class TextId : std::uint8_t {
  temochiCoin,   // coins on hand
  dedamaritsu,   // payout rate
  bigKakuritsu,  // BIG probability
  regKakuritsu,  // REG probability
  kankin1,       // cash value at rate 1 (kankin: exchange for cash)
  kankin2,
  kankin3,
  tosiKingaku,   // money invested (tosi: investment, kingaku: amount)
  bigCoin,       // coins of the current or last BIG
  bigMaxCoin,    // best BIG
  Text5pin,      // 5-pin count
  label5pin,     // caption of the 5-pin count
  koyakulabel0,  // small-win ("koyaku") captions
  koyakulabel1,
  koyakulabel2,
  koyakudata0,  // small-win figures
  koyakudata1,
  koyakudata2,
  rate1Label,  // captions of the exchange rates
  rate2Label,
  rate3Label,
};
inline constexpr std::size_t kTextCount = 21;
std::string_view textName(TextId id);

struct TextBox {
  std::string text;
  bool visible = true;
};

// The four picture sets of the digit pictures.
enum class PictureSet : std::uint8_t {
  Image1 /*cyan*/,
  Image1g /*green*/,
  Image1p /*pink*/,
  Image1y /*yellow*/
};

// The seven rows of seven-segment digit pictures, named as the window's controls.
enum class GroupId : std::uint8_t {
  gameImage,
  totalImage,
  bigImage,
  regImage,
  inImage,
  outImage,
  saImage
};
inline constexpr std::size_t kGroupCount = 7;
std::string_view groupName(GroupId id);

struct DigitGroup {
  PictureSet set;
  std::uint8_t size;                     // number of digit elements
  std::array<std::uint8_t, 6> digits{};  // picture index 0..9 of elements 0 (leftmost) ..size-1
};

struct HistoryEntry {
  std::string text;  // a bar of 0 to 20 "■"
  Rgb colour;
};

class Panel {
 public:
  // Revisions per display area: each changes whenever something in its area changes.
  struct Revisions {
    std::uint64_t texts = 0, digits = 0, history = 0;
    friend bool operator==(const Revisions&, const Revisions&) = default;
  };

  Panel();  // the design state of the window

  const TextBox& text(TextId id) const { return texts_[static_cast<std::size_t>(id)]; }
  void setText(TextId id, std::string_view text);
  void setVisible(TextId id, bool visible);

  const DigitGroup& group(GroupId id) const { return groups_[static_cast<std::size_t>(id)]; }
  // Shows a value on a digit group, leading zeros included. A value too wide for the group
  // rolls over like an odometer (element 0 shows its digit mod 10); a negative value shows
  // its magnitude.
  void showValue(GroupId id, std::int64_t value);
  bool saMinusVisible() const { return saMinus_; }  // the minus bar left of saImage
  void setSaMinusVisible(bool visible);

  const HistoryEntry& history(std::size_t i) const { return history_[i]; }  // 0 is the newest
  void setHistoryText(std::size_t i, std::string_view text);
  void setHistoryColour(std::size_t i, Rgb colour);

  Chart& chart() { return chart_; }  // MSChart1, the coin graph; it keeps its own revision
  const Chart& chart() const { return chart_; }

  const Revisions& revisions() const { return revisions_; }

 private:
  std::array<TextBox, kTextCount> texts_;
  std::array<DigitGroup, kGroupCount> groups_;
  bool saMinus_ = false;
  std::array<HistoryEntry, 10> history_;
  Chart chart_;
  Revisions revisions_;
};

}  // namespace tallix
