// MSChart1, the coin graph, drawn with GDI and its slanting lines anti-aliased with GDI+: the
// chart's rows as one line over the games played,
// thinned as every window thins it (design/coin_line.h), on a dark plot with a dashed zero line,
// a dashed expected-value line when the settings give a machine's payout rate, and axes that
// follow the data. The graph's place runs past the client area on the left, right and bottom, as
// designed; the plot and its labels stay in the part that shows.
//
// It is drawn into a bitmap of its own. Rows appended redraw only the plot right of the first
// point that changed; the axes and their labels are drawn again only when the line leaves their
// range, as the Qt window moves them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "design/chart_axes.h"
#include "design/coin_line.h"
#include "gdi.h"

namespace tallix {
class Chart;
}

namespace tallix::win32 {

class CoinChart {
 public:
  CoinChart();
  ~CoinChart();
  CoinChart(const CoinChart&) = delete;
  CoinChart& operator=(const CoinChart&) = delete;

  // The bitmap and fonts at a scale; everything is drawn afresh.
  void layout(HWND window, const Scale& scale);
  // Draws what changed since the last render and invalidates it in `window`; `payout` is the
  // machine's payout rate in percent for the expected-value line, 0 for none.
  void render(const Chart& chart, double payout, HWND window);
  void paint(HDC dc, const RECT& dirty) const;

  // The visible part of the graph's place, in the window.
  const RECT& area() const { return area_; }

 private:
  void drawAll();
  // The plot right of `fromX` (the whole plot from its left edge).
  void drawPlot(int fromX);
  int x(double games) const;
  int y(double coins) const;

  design::CoinLine line_;
  design::CoinAxes axes_;

  Scale scale_;
  RECT area_{}, plot_{};
  HDC dc_ = nullptr;  // holds bitmap_
  Gdi<HBITMAP> bitmap_;
  Gdi<HFONT> font_;
};

}  // namespace tallix::win32
