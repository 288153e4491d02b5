// The main window's design as data, for every window that draws it (the Qt window on Linux, the
// Win32 window on Windows): the client area, the places of every control in twips, the six text
// styles, the colours, the fixed captions, the places of the digit pictures, the history frame
// and its lines, the coin graph and the three buttons. No toolkit type appears here; each window
// turns these into its own controls, so both look alike by construction.
#pragma once

#include <array>

#include "base/say.h"
#include "counting/panel.h"

namespace tallix::design {

// A place as the design gives it: left, top, width, height in twips (15 twips a pixel at
// 96 dpi).
struct Twips {
  int left, top, width, height;
};
inline constexpr int kTwipsPerPixel = 15;  // at 96 dpi
// The nearest pixel at 96 dpi.
constexpr int px(int twips) {
  return (twips + 7) / kTwipsPerPixel;
}

// The client area: 12090 x 9150 twips.
inline constexpr int kClientWidth = 806;
inline constexpr int kClientHeight = 610;

// The text styles A to F: a Mincho face, proportional ("ＭＳ Ｐ明朝") or fixed pitch ("ＭＳ
// 明朝"), at the point sizes 15.75, 14.25, 12 and 8.25 (the pixel sizes at 96 dpi).
enum class Style { A, B, C, D, E, F };
struct Font {
  bool proportional;
  int pixels;
  bool bold;
};
inline constexpr std::array<Font, 6> kFonts{{
    {true, 21, true},    // A
    {true, 19, true},    // B
    {true, 16, true},    // C
    {false, 19, true},   // D
    {false, 16, true},   // E
    {false, 11, false},  // F
}};
constexpr const Font& font(Style style) {
  return kFonts[static_cast<std::size_t>(style)];
}
// The faces to try, in order; IPA Mincho has the same pair as the MS faces, and where none is
// installed the system's Japanese serif serves.
inline constexpr std::array<const char*, 5> kProportionalFaces{
    "ＭＳ Ｐ明朝", "MS PMincho", "IPAPMincho", "IPAMincho", "Noto Serif CJK JP"};
inline constexpr std::array<const char*, 4> kFixedFaces{"ＭＳ 明朝", "MS Mincho", "IPAMincho",
                                                        "Noto Serif CJK JP"};

inline constexpr Rgb kBlack{0x00, 0x00, 0x00};
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kLightYellow{0xFF, 0xFF, 0x80};  // value boxes
inline constexpr Rgb kOrange{0xFF, 0xC0, 0x80};       // rate 1
inline constexpr Rgb kGreen{0x80, 0xFF, 0x80};        // rate 2
inline constexpr Rgb kCyan{0x80, 0xFF, 0xFF};         // rate 3
inline constexpr Rgb kPink{0xFF, 0xC0, 0xFF};         // small wins
inline constexpr Rgb kBoxBorder{0x30, 0x30, 0x30};    // the thin border of a value box
inline constexpr Rgb kFrameBorder{0x60, 0x60, 0x60};  // the history frame's edge

// The fixed captions Label1(0..10), white on the window's black.
struct FixedCaption {
  int index;
  const char* text;
  Twips place;
  Style style;
};
inline constexpr std::array<FixedCaption, 11> kLabel1{{
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

// The displays of the panel's texts. Captions show the black behind them; boxes have their own
// black background and a thin border, and are read-only: the player may select and copy.
enum class Kind { caption, box };
enum class Align { left, right };  // both centred vertically
struct TextPlace {
  TextId id;
  Kind kind;
  Twips place;
  Style style;
  Rgb colour;
  Align align;
};
inline constexpr std::array<TextPlace, kTextCount> kTexts{{
    {TextId::temochiCoin, Kind::box, {6180, 3960, 1575, 420}, Style::D, kLightYellow, Align::right},
    {TextId::dedamaritsu, Kind::box, {5700, 2760, 1815, 345}, Style::D, kLightYellow, Align::right},
    {TextId::bigKakuritsu,
     Kind::box,
     {2760, 2280, 1215, 420},
     Style::D,
     kLightYellow,
     Align::right},
    {TextId::regKakuritsu,
     Kind::box,
     {2760, 3120, 1215, 420},
     Style::D,
     kLightYellow,
     Align::right},
    {TextId::kankin1, Kind::box, {10020, 3600, 1575, 420}, Style::D, kOrange, Align::right},
    {TextId::kankin2, Kind::box, {10020, 4020, 1575, 420}, Style::D, kGreen, Align::right},
    {TextId::kankin3, Kind::box, {10020, 4440, 1575, 420}, Style::D, kCyan, Align::right},
    {TextId::tosiKingaku, Kind::box, {6180, 3600, 1575, 420}, Style::D, kLightYellow, Align::right},
    {TextId::bigCoin, Kind::box, {2640, 3600, 1335, 420}, Style::D, kLightYellow, Align::right},
    {TextId::bigMaxCoin, Kind::box, {2640, 3960, 1335, 420}, Style::D, kLightYellow, Align::right},
    {TextId::Text5pin, Kind::box, {10260, 4920, 1335, 420}, Style::D, kLightYellow, Align::right},
    {TextId::label5pin, Kind::box, {8880, 4920, 1335, 420}, Style::B, kLightYellow, Align::left},
    {TextId::koyakulabel0, Kind::box, {120, 4380, 1335, 360}, Style::C, kPink, Align::left},
    {TextId::koyakulabel1, Kind::box, {120, 4740, 1335, 360}, Style::C, kPink, Align::left},
    {TextId::koyakulabel2, Kind::box, {120, 5100, 1335, 360}, Style::C, kPink, Align::left},
    {TextId::koyakudata0, Kind::box, {1620, 4380, 6075, 360}, Style::E, kPink, Align::left},
    {TextId::koyakudata1, Kind::box, {1620, 4740, 6075, 360}, Style::E, kPink, Align::left},
    {TextId::koyakudata2, Kind::box, {1620, 5100, 6075, 360}, Style::E, kPink, Align::left},
    {TextId::rate1Label, Kind::caption, {8880, 3600, 1155, 375}, Style::B, kOrange, Align::left},
    {TextId::rate2Label, Kind::caption, {8880, 4020, 1155, 375}, Style::B, kGreen, Align::left},
    {TextId::rate3Label, Kind::caption, {8880, 4440, 1155, 375}, Style::B, kCyan, Align::left},
}};

// The digit pictures: four sets of 11 (Image1 cyan, Image1g green, Image1p pink, Image1y
// yellow), element k (0..9) the digit k, element 10 the minus bar; each set's files are
// "<name>_<k>.jpg".
inline constexpr std::array<const char*, 4> kPictureSets{"Image1", "Image1g", "Image1p", "Image1y"};
inline constexpr int kMinusPicture = 10;
// Where each digit group stands: the left of its element 0 and its top, in twips, in the order
// of GroupId. The elements follow one another without gaps, one picture apart.
struct GroupPlace {
  int left, top;
};
inline constexpr std::array<GroupPlace, kGroupCount> kGroups{{
    {1140, 240},   // gameImage
    {1140, 1080},  // totalImage
    {1200, 1920},  // bigImage
    {1200, 2760},  // regImage
    {4680, 240},   // inImage
    {4680, 1080},  // outImage
    {4680, 1920},  // saImage
}};
inline constexpr int kDigitWidth = 480, kDigitHeight = 675;
// Element k of a group.
constexpr Twips digitPlace(GroupId group, int k) {
  const GroupPlace& g = kGroups[static_cast<std::size_t>(group)];
  return {g.left + k * kDigitWidth, g.top, kDigitWidth, kDigitHeight};
}
// Element 10 of saImage, the minus bar before the coin difference.
inline constexpr Twips kSaMinus{4200, 1920, kDigitWidth, kDigitHeight};

// Frame1, the bonus history; the places inside it are relative to the frame.
inline constexpr Twips kHistoryFrame{8040, 600, 3855, 2895};
// Row n (1..10) of the history: its number (Label2..Label11) and its bar (rirekiLabel n-1).
constexpr Twips historyNumberPlace(int n) {
  return {120, 480 + 240 * (n - 1), 375, 135};
}
constexpr Twips historyBarPlace(int i) {
  return {480, 480 + 240 * i, 3975, 135};
}
inline constexpr Style kHistoryStyle = Style::F;
// The scale captions above the bars.
struct ScaleCaption {
  const char* name;
  const char* text;
  Twips place;
};
inline constexpr std::array<ScaleCaption, 3> kHistoryScale{{
    {"Label13", "500", {1180, 150, 375, 135}},
    {"Label12", "1000", {1920, 150, 375, 135}},
    {"Label14", "1500", {2760, 150, 375, 135}},
}};
// The white lines inside the frame: x, top, bottom and pen width (pixels).
struct Line {
  int x, top, bottom, width;
};
inline constexpr std::array<Line, 4> kHistoryLines{{
    {360, 120, 2900, 1},   // Line3, left of the bars
    {1290, 320, 2980, 3},  // Line2, 500 games
    {2105, 320, 3000, 3},  // Line1, 1000 games
    {2940, 320, 2965, 3},  // Line4, 1500 games
}};

// MSChart1, the coin graph. It runs past the client area on the left, right and bottom, as
// designed; the parts outside become the plot's margins. Its top margin (pixels) leaves room
// for the small-win rows that stand over its upper edge.
inline constexpr Twips kCoinChart{-660, 5040, 13095, 4515};
inline constexpr int kCoinChartTopMargin = 28;
inline constexpr Rgb kChartPlot{0x08, 0x10, 0x18};    // the plot's background
inline constexpr Rgb kChartLine{0x40, 0xFF, 0x90};    // the coin line, 2 px
inline constexpr Rgb kChartZero{0x90, 0x90, 0x90};    // the dashed zero line
inline constexpr Rgb kChartExpected = kOrange;        // the dashed expected-value line
inline constexpr Rgb kChartLabels{0xC0, 0xC0, 0xC0};  // the axes' labels
inline constexpr Rgb kChartAxis{0x80, 0x80, 0x80};    // the axes' lines
inline constexpr Rgb kChartGrid{0x30, 0x30, 0x30};    // the grid
inline constexpr int kChartLabelPixels = 11;
// The history window's bonus chart, on the coin graph's plot: the bars of the run-ups and, in
// the coin line's green, of the coins.
inline constexpr Rgb kChartRunUp{0x80, 0xA0, 0xFF};
inline constexpr Rgb kChartCoins = kChartLine;

// The three buttons.
struct Button {
  const char* name;
  const char* caption;
  Twips place;
  Said (*tip)();  // what the button does, in a line: its tooltip
};
inline constexpr std::array<Button, 3> kButtons{{
    {"Command3",
     "クリア",
     {8040, 180, 675, 375},
     [] { return Say::tr("Starts a new play, keeping this one in the history"); }},
    {"Command4",
     "読込み",
     {10260, 180, 795, 375},
     [] { return Say::tr("Loads a play from a record file in place of this one"); }},
    {"Command5",
     "保存",
     {11100, 180, 795, 375},
     [] { return Say::tr("Saves this play to a record file of your choice"); }},
}};
// The buttons' captions in the system's default face for Japanese buttons, at 9 points (12
// pixels at 96 dpi); where none is installed, the system's Japanese sans-serif.
inline constexpr std::array<const char*, 5> kButtonFaces{
    "ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "IPAPGothic", "Noto Sans CJK JP"};
inline constexpr int kButtonPixels = 12;

// The notice line beneath the panel.
inline constexpr Rgb kNoticeBackground{0x3A, 0x1C, 0x00};
inline constexpr Rgb kNoticeText{0xFF, 0xC0, 0x60};

}  // namespace tallix::design
