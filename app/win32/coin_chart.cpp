#include "coin_chart.h"

#include <algorithm>
#include <cmath>

#include "counting/chart.h"
#include "counting/figures.h"
#include "language.h"

namespace tallix::win32 {

namespace {

std::wstring label(double value) {
  return std::to_wstring(std::lround(value));
}

}  // namespace

CoinChart::~CoinChart() {
  if (dc_ != nullptr) DeleteDC(dc_);
}

void CoinChart::layout(HWND window, const Scale& scale) {
  scale_ = scale;
  const RECT place = scale.rect(design::kCoinChart);
  const RECT client = scale.rect(0, 0, design::kClientWidth, design::kClientHeight);
  IntersectRect(&area_, &place, &client);
  if (dc_ != nullptr) DeleteDC(dc_);
  HDC screen = GetDC(window);
  dc_ = CreateCompatibleDC(screen);
  bitmap_.reset(CreateCompatibleBitmap(screen, area_.right - area_.left, area_.bottom - area_.top));
  ReleaseDC(window, screen);
  SelectObject(dc_, bitmap_.get());
  SetViewportOrgEx(dc_, -area_.left, -area_.top, nullptr);  // drawn in the window's places
  font_ = designFont(design::Style::F, scale, design::kChartLabelPixels);
  drawAll();
  InvalidateRect(window, &area_, FALSE);
}

void CoinChart::render(const Chart& chart, double payout, HWND window) {
  const std::optional<design::CoinLine::Change> change = line_.update(chart);
  if (!change && payout_ == payout) return;
  const bool grew = change && change->appended && payout_ == payout;
  payout_ = payout;
  // The axes follow the data; a growing graph moves them only when it leaves their range.
  Axis games = games_, coins = coins_;
  const double lastGame = std::max(static_cast<double>(line_.rows() - 1) * Chart::kGamesPerRow,
                                   10.0 * Chart::kGamesPerRow);
  if (!grew || lastGame > games_.max) games = niceAxis(0, lastGame, games_);
  // At least 100 coins either way, so that a flat start does not magnify single coins; the
  // expected-value line stays in sight up to the last point.
  const double expected = payout_ > 0 ? expectedDifference(lastGame, payout_) : 0;
  const double low = std::min({line_.low(), expected, -100.0});
  const double high = std::max({line_.high(), expected, 100.0});
  if (!grew || low < coins_.min || high > coins_.max) coins = niceAxis(low, high, coins_);
  if (!grew || !(games == games_) || !(coins == coins_)) {
    games_ = games;
    coins_ = coins;
    drawAll();
    InvalidateRect(window, &area_, FALSE);
    return;
  }
  // Rows appended within the axes: the plot from just before the first point that changed, where
  // the 2-pixel line of the point before it ends.
  const std::size_t first = change->first;
  const int from = first == 0 ? plot_.left : x(line_.points()[first - 1].games) - scale_(2);
  drawPlot(from);
  const RECT band{std::max(from, static_cast<int>(plot_.left)), plot_.top, plot_.right,
                  plot_.bottom};
  InvalidateRect(window, &band, FALSE);
}

int CoinChart::x(double games) const {
  return plot_.left + games_.at(games, plot_.right - plot_.left);
}

int CoinChart::y(double coins) const {
  return plot_.bottom - coins_.at(coins, plot_.bottom - plot_.top);
}

void CoinChart::drawAll() {
  Gdi<HBRUSH> black(CreateSolidBrush(RGB(0, 0, 0)));
  FillRect(dc_, &area_, black.get());
  const HGDIOBJ oldFont = SelectObject(dc_, font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  // The labels' room: the widest of the coins' labels on the left, a line beneath the plot.
  int widest = 0;
  for (double v = coins_.min; v <= coins_.max + coins_.step / 2; v += coins_.step) {
    SIZE size{};
    const std::wstring text = label(v);
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  SIZE last{};
  const std::wstring lastText = label(games_.max);
  GetTextExtentPoint32W(dc_, lastText.c_str(), static_cast<int>(lastText.size()), &last);
  // The parts of the graph's place outside the client area are its margins, and the top one
  // leaves room for the small-win rows that stand over the graph's upper edge.
  const RECT client = scale_.rect(0, 0, design::kClientWidth, design::kClientHeight);
  const RECT content{scale_(4), area_.top + scale_(design::kCoinChartTopMargin),
                     client.right - scale_(8), client.bottom - scale_(2)};
  plot_ = {content.left + widest + scale_(6), content.top + metrics.tmHeight / 2,
           content.right - last.cx / 2, content.bottom - metrics.tmHeight - scale_(4)};

  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colour(design::kChartLabels));
  for (double v = coins_.min; v <= coins_.max + coins_.step / 2; v += coins_.step) {
    RECT rect{content.left, y(v) - metrics.tmHeight / 2, plot_.left - scale_(6),
              y(v) + metrics.tmHeight};
    const std::wstring text = label(v);
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
  }
  for (double g = games_.min; g <= games_.max + games_.step / 2; g += games_.step) {
    RECT rect{x(g) - scale_(40), plot_.bottom + scale_(4), x(g) + scale_(40), content.bottom};
    const std::wstring text = label(g);
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(dc_, oldFont);
  Gdi<HPEN> axis(CreatePen(PS_SOLID, 1, colour(design::kChartAxis)));
  const HGDIOBJ oldPen = SelectObject(dc_, axis.get());
  const POINT axes[] = {
      {plot_.left - 1, plot_.top}, {plot_.left - 1, plot_.bottom}, {plot_.right, plot_.bottom}};
  Polyline(dc_, axes, 3);
  SelectObject(dc_, oldPen);
  drawPlot(plot_.left);
}

void CoinChart::drawPlot(int fromX) {
  const int saved = SaveDC(dc_);
  IntersectClipRect(dc_, std::max(fromX, static_cast<int>(plot_.left)), plot_.top, plot_.right,
                    plot_.bottom);
  Gdi<HBRUSH> background(CreateSolidBrush(colour(design::kChartPlot)));
  FillRect(dc_, &plot_, background.get());
  Gdi<HPEN> grid(CreatePen(PS_SOLID, 1, colour(design::kChartGrid)));
  SelectObject(dc_, grid.get());
  for (double v = coins_.min + coins_.step; v < coins_.max - coins_.step / 2; v += coins_.step) {
    MoveToEx(dc_, plot_.left, y(v), nullptr);
    LineTo(dc_, plot_.right, y(v));
  }
  for (double g = games_.min + games_.step; g < games_.max - games_.step / 2; g += games_.step) {
    MoveToEx(dc_, x(g), plot_.top, nullptr);
    LineTo(dc_, x(g), plot_.bottom);
  }
  SetBkMode(dc_, TRANSPARENT);  // the gaps of the dashes show the plot
  Gdi<HPEN> zero(CreatePen(PS_DASH, 1, colour(design::kChartZero)));
  SelectObject(dc_, zero.get());
  MoveToEx(dc_, x(0), y(0), nullptr);
  LineTo(dc_, x(games_.max), y(0));
  Gdi<HPEN> expected(CreatePen(PS_DASH, 1, colour(design::kChartExpected)));
  if (payout_ > 0) {
    SelectObject(dc_, expected.get());
    MoveToEx(dc_, x(0), y(0), nullptr);
    LineTo(dc_, x(games_.max), y(expectedDifference(games_.max, payout_)));
  }
  // The coin line from the last point left of the band on.
  const std::vector<design::CoinLine::Point>& points = line_.points();
  std::size_t first = 0;
  while (first + 1 < points.size() && x(points[first + 1].games) < fromX) ++first;
  if (first > 0) --first;  // whose 2-pixel line may reach into the band
  std::vector<POINT> line;
  for (std::size_t i = first; i < points.size(); ++i) {
    line.push_back({x(points[i].games), y(points[i].coins)});
  }
  Gdi<HPEN> coins(CreatePen(PS_SOLID, scale_(2), colour(design::kChartLine)));
  SelectObject(dc_, coins.get());
  if (line.size() > 1) Polyline(dc_, line.data(), static_cast<int>(line.size()));
  RestoreDC(dc_, saved);
}

void CoinChart::paint(HDC dc, const RECT& dirty) const {
  RECT part;
  if (!IntersectRect(&part, &dirty, &area_)) return;
  BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_, part.left,
         part.top, SRCCOPY);
}

}  // namespace tallix::win32
