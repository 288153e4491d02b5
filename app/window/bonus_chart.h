// The chart of the history window: for every bonus of a play, in order, its run-up and its
// coins as two bars side by side, on the dark plot of the coin graph.
#pragma once

#include <QtCharts/QChartView>
#include <vector>

#include "counting/bonuses.h"
#include "design/chart_axes.h"

class QBarSet;

namespace tallix::window {

class BonusChart : public QChartView {
 public:
  explicit BonusChart(QWidget* parent);
  void render(const std::vector<Bonus>& bonuses);

  QBarSet* runUps() const { return runUps_; }
  QBarSet* coins() const { return coins_; }

 private:
  QBarSet* runUps_;
  QBarSet* coins_;
  design::BonusAxis values_;
};

}  // namespace tallix::window
