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
  // Draws what changed in the chart since the last render.
  void render(const Chart& chart);
  // The points of the line as drawn.
  const QList<QPointF>& points() const { return points_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  QLineSeries* coins_;
  QLineSeries* zero_;
  QValueAxis* games_;
  QValueAxis* difference_;

  void takeRows(const Chart& chart, std::size_t from);
  void thin(std::size_t fromBucket);

  std::optional<std::uint64_t> revision_;
  std::uint64_t rewrites_ = 0;
  std::vector<double> values_;           // every row's value, row 1 first
  std::size_t rowsPerBucket_ = 1;        // a power of two
  std::vector<qsizetype> bucketPoints_;  // where each bucket's points begin in points_
  QList<QPointF> points_;
  double low_ = 0, high_ = 0;
};

}  // namespace tallix::window
