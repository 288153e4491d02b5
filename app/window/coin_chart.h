// MSChart1, the coin graph: the chart rows as one line over the games played (row k is the
// coin difference at 25 x (k - 1) games), on a dark plot with a zero line, axes following the
// data. It runs past the client area on the left, right and bottom, as designed; its margins
// keep the plot and the axis labels inside the visible part. It never keeps the keyboard
// focus: focus that reaches it moves on to the next control.
#pragma once

#include <QtCharts/QChartView>
#include <cstdint>

class QLineSeries;
class QValueAxis;

namespace tallix {
class Chart;
}

namespace tallix::window {

class CoinChart : public QChartView {
 public:
  explicit CoinChart(QWidget* parent);
  void render(const Chart& chart);

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  QLineSeries* coins_;
  QLineSeries* zero_;
  QValueAxis* games_;
  QValueAxis* difference_;
};

}  // namespace tallix::window
