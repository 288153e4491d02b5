#include "coin_chart.h"

// GDI+ needs what the lean windows.h leaves out.
#include <objidl.h>
// After objidl.h:
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "language.h"

namespace tallix::win32 {

namespace {

std::wstring label(double value) {
  return std::to_wstring(std::lround(value));
}

// GDI+, which draws the graph's slanting lines anti-aliased as the Qt window draws them: started
// once for the process, at the first graph.
void startGdiPlus() {
  static const bool started = [] {
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  (void)started;  // GDI+ is part of every Windows; without it the graph shows no line
}

Gdiplus::Color plusColour(Rgb c) {
  return Gdiplus::Color(255, c.r, c.g, c.b);
}

// Anti-aliased lines on the chart's bitmap, given in the window's places, within `clip`. GDI
// draws the chart in the window's places through a viewport moved by `origin`; GDI+ is given the
// bitmap with its viewport back at the corner and the points less `origin`, so that it draws in
// the same pixels whether or not it would follow a moved viewport.
class SmoothLines {
 public:
  SmoothLines(HDC dc, POINT origin, const RECT& clip) : dc_(dc), origin_(origin) {
    SetViewportOrgEx(dc_, 0, 0, &viewport_);
    graphics_.emplace(dc_);
    graphics_->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics_->SetClip(Gdiplus::Rect(clip.left - origin.x, clip.top - origin.y,
                                     clip.right - clip.left, clip.bottom - clip.top));
  }
  ~SmoothLines() {
    graphics_.reset();
    SetViewportOrgEx(dc_, viewport_.x, viewport_.y, nullptr);
  }
  SmoothLines(const SmoothLines&) = delete;
  SmoothLines& operator=(const SmoothLines&) = delete;

  // A line through `points`, `width` pixels wide; dashed or not.
  void draw(const std::vector<POINT>& points, Rgb colour, float width, bool dashed = false) {
    if (points.size() < 2) return;
    std::vector<Gdiplus::PointF> at;
    for (const POINT& p : points) {
      at.emplace_back(static_cast<float>(p.x - origin_.x), static_cast<float>(p.y - origin_.y));
    }
    Gdiplus::Pen pen(plusColour(colour), width);
    if (dashed) pen.SetDashStyle(Gdiplus::DashStyleDash);
    graphics_->DrawLines(&pen, at.data(), static_cast<INT>(at.size()));
  }

 private:
  HDC dc_;
  POINT origin_, viewport_{};
  std::optional<Gdiplus::Graphics> graphics_;
};

}  // namespace

CoinChart::CoinChart() {
  startGdiPlus();
}

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
  // The coin line from the last point left of the band on.
  const std::vector<design::CoinLine::Point>& points = line_.points();
  std::size_t first = 0;
  while (first + 1 < points.size() && x(points[first + 1].games) < fromX) ++first;
  if (first > 0) --first;  // whose 2-pixel line may reach into the band
  std::vector<POINT> line;
  for (std::size_t i = first; i < points.size(); ++i) {
    line.push_back({x(points[i].games), y(points[i].coins)});
  }
  RestoreDC(dc_, saved);
  // The slanting lines, smooth, over the plot right of `fromX`.
  const RECT band{std::max(fromX, static_cast<int>(plot_.left)), plot_.top, plot_.right,
                  plot_.bottom};
  SmoothLines smooth(dc_, {area_.left, area_.top}, band);
  if (axes_.hasExpected()) {
    smooth.draw({{x(0), y(0)}, {x(games.max), y(axes_.expectedEnd())}}, design::kChartExpected, 1,
                true);
  }
  smooth.draw(line, design::kChartLine, static_cast<float>(scale_(2)));
}

void CoinChart::paint(HDC dc, const RECT& dirty) const {
  RECT part;
  if (!IntersectRect(&part, &dirty, &area_)) return;
  BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_, part.left,
         part.top, SRCCOPY);
}

}  // namespace tallix::win32
