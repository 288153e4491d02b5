// MSChart1, the coin graph: the chart rows as one line over the games played (row k is the
// coin difference at 25 x (k - 1) games), on a dark plot with a zero line, axes following the
// data. It runs past the client area on the left, right and bottom, as designed; its margins
// keep the plot and the axis labels inside the visible part. It never keeps the keyboard
// focus: focus that reaches it moves on to the next control.
//
// A full graph has 32,767 rows, far more than the plot has pixels: the line is thinned to at
// most kMaxBuckets runs of rows, each drawn as its lowest and highest point in the order they
// came, so the drawing keeps every peak and costs the same whatever the play's length. A row
// appended redraws only the last run.
//
// With a machine's payout rate in the settings ([graph] payout), a thin dashed line shows the
// coin difference such a machine gives on average over the same games; without it the chart
// has only the coin line and the zero line.
#pragma once

#include <QList>
#include <QPointF>
#include <QtCharts/QChartView>
#include <cstdint>
#include <optional>
#include <vector>

class QLineSeries;
class QValueAxis;

namespace tallix {
class Chart;
}

namespace tallix::window {

class CoinChart : public QChartView {
 public:
  static constexpr std::size_t kMaxBuckets = 1024;

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

  void takeRows(const Chart& chart, std::size_t from);
  void thin(std::size_t fromBucket);
  void showExpected(double payout);

  std::optional<std::uint64_t> revision_;
  std::uint64_t rewrites_ = 0;
  double payout_ = 0;
  std::vector<double> values_;           // every row's value, row 1 first
  std::size_t rowsPerBucket_ = 1;        // a power of two
  std::vector<qsizetype> bucketPoints_;  // where each bucket's points begin in points_
  QList<QPointF> points_;
  double low_ = 0, high_ = 0;
};

}  // namespace tallix::window
