#include "coin_chart.h"

#include <algorithm>
#include <cmath>

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
  const design::CoinAxes::Redraw redraw = axes_.update(line_, change, payout);
  if (redraw == design::CoinAxes::Redraw::nothing) return;
  if (redraw == design::CoinAxes::Redraw::all) {
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
  return plot_.left + axes_.games().at(games, plot_.right - plot_.left);
}

int CoinChart::y(double coins) const {
  return plot_.bottom - axes_.coins().at(coins, plot_.bottom - plot_.top);
}

void CoinChart::drawAll() {
  const design::Axis& games = axes_.games();
  const design::Axis& coins = axes_.coins();
  Gdi<HBRUSH> black(CreateSolidBrush(RGB(0, 0, 0)));
  FillRect(dc_, &area_, black.get());
  const HGDIOBJ oldFont = SelectObject(dc_, font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  // The labels' room: the widest of the coins' labels on the left, a line beneath the plot.
  int widest = 0;
  for (int i = 0; i < coins.ticks; ++i) {
    SIZE size{};
    const std::wstring text = label(coins.tick(i));
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  SIZE last{};
  const std::wstring lastText = label(games.max);
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
  for (int i = 0; i < coins.ticks; ++i) {
    const int at = y(coins.tick(i));
    RECT rect{content.left, at - metrics.tmHeight / 2, plot_.left - scale_(6),
              at + metrics.tmHeight};
    const std::wstring text = label(coins.tick(i));
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
  }
  for (int i = 0; i < games.ticks; ++i) {
    const int at = x(games.tick(i));
    RECT rect{at - scale_(40), plot_.bottom + scale_(4), at + scale_(40), content.bottom};
    const std::wstring text = label(games.tick(i));
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
  // The grid at the ticks between the ends, where the axes' lines and the plot's edge are.
  const design::Axis& games = axes_.games();
  const design::Axis& coins = axes_.coins();
  for (int i = 1; i + 1 < coins.ticks; ++i) {
    MoveToEx(dc_, plot_.left, y(coins.tick(i)), nullptr);
    LineTo(dc_, plot_.right, y(coins.tick(i)));
  }
  for (int i = 1; i + 1 < games.ticks; ++i) {
    MoveToEx(dc_, x(games.tick(i)), plot_.top, nullptr);
    LineTo(dc_, x(games.tick(i)), plot_.bottom);
  }
  SetBkMode(dc_, TRANSPARENT);  // the gaps of the dashes show the plot
  Gdi<HPEN> zero(CreatePen(PS_DASH, 1, colour(design::kChartZero)));
  SelectObject(dc_, zero.get());
  MoveToEx(dc_, x(0), y(0), nullptr);
  LineTo(dc_, x(games.max), y(0));
  Gdi<HPEN> expected(CreatePen(PS_DASH, 1, colour(design::kChartExpected)));
  if (axes_.hasExpected()) {
    SelectObject(dc_, expected.get());
    MoveToEx(dc_, x(0), y(0), nullptr);
    LineTo(dc_, x(games.max), y(axes_.expectedEnd()));
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
  Gdi<HPEN> linePen(CreatePen(PS_SOLID, scale_(2), colour(design::kChartLine)));
  SelectObject(dc_, linePen.get());
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
