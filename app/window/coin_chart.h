// MSChart1, the coin graph: the chart rows as one line over the games played (row k is the
// coin difference at 25 x (k - 1) games), on a dark plot with a zero line, axes following the
// data. It runs past the client area on the left, right and bottom, as designed; its margins
// keep the plot and the axis labels inside the visible part. It never keeps the keyboard
// focus: focus that reaches it moves on to the next control.
//
// The line is thinned as every window thins it (design/coin_line.h): at most kMaxBuckets runs of
// rows, each its lowest and highest point; a row appended redraws only the last run.
//
// With a machine's payout rate in the settings ([graph] payout), a thin dashed line shows the
// coin difference such a machine gives on average over the same games; without it the chart
// has only the coin line and the zero line.
#pragma once

#include <QList>
#include <QPointF>
#include <QtCharts/QChartView>
#include <cstdint>

#include "design/chart_axes.h"
#include "design/coin_line.h"

class QLineSeries;
class QValueAxis;

namespace tallix {
class Chart;
}

namespace tallix::window {

class CoinChart : public QChartView {
 public:
  static constexpr std::size_t kMaxBuckets = design::CoinLine::kMaxBuckets;

  explicit CoinChart(QWidget* parent);
  // Draws what changed in the chart since the last render; `payout` is the machine's payout
  // rate in percent for the expected-value line, 0 for none.
  void render(const Chart& chart, double payout = 0);
  // The points of the line as drawn.
  const QList<QPointF>& points() const { return points_; }
  // The points of the expected-value line; none without a payout rate.
  QList<QPointF> expectedPoints() const;

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  QLineSeries* coins_;
  QLineSeries* zero_;
  QLineSeries* expected_ = nullptr;  // made at the first payout rate given
  QValueAxis* games_;
  QValueAxis* difference_;

  // The expected-value line as the axes give it, made at the first payout rate.
  void showExpected();

  design::CoinLine line_;
  design::CoinAxes axes_;
  QList<QPointF> points_;  // line_'s points
};

}  // namespace tallix::window
