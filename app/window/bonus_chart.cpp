#include "bonus_chart.h"

#include <QCoreApplication>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

#include "qt_design.h"

namespace tallix::window {

namespace {

void styleAxis(QAbstractAxis* axis) {
  QFont font = axis->labelsFont();
  font.setPixelSize(10);
  axis->setLabelsFont(font);
  axis->setLabelsColor(toQColor(design::kChartLabels));
  axis->setLinePenColor(toQColor(design::kChartAxis));
  axis->setGridLineColor(toQColor(design::kChartGrid));
}

}  // namespace

BonusChart::BonusChart(QWidget* parent)
    : QChartView(parent),
      runUps_(new QBarSet(QCoreApplication::translate("Window", "Run-up"))),
      coins_(new QBarSet(QCoreApplication::translate("Window", "Coins"))) {
  setObjectName("bonusChart");
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  setBackgroundBrush(Qt::black);
  setMinimumHeight(220);

  runUps_->setColor(toQColor(design::kChartRunUp));
  runUps_->setBorderColor(Qt::transparent);
  coins_->setColor(toQColor(design::kChartCoins));
  coins_->setBorderColor(Qt::transparent);
  auto* series = new QBarSeries;
  series->append(runUps_);
  series->append(coins_);

  auto* chart = new QChart;
  chart->setBackgroundBrush(Qt::black);
  chart->setBackgroundRoundness(0);
  chart->setPlotAreaBackgroundBrush(toQColor(design::kChartPlot));
  chart->setPlotAreaBackgroundVisible(true);
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setLabelColor(toQColor(design::kChartLabels));
  chart->legend()->setAlignment(Qt::AlignTop);
  chart->setTitleBrush(toQColor(design::kChartLabels));
  chart->addSeries(series);
  auto* bonuses = new QBarCategoryAxis;
  auto* values = new QValueAxis;
  values->setLabelFormat("%d");
  styleAxis(bonuses);
  styleAxis(values);
  chart->addAxis(bonuses, Qt::AlignBottom);
  chart->addAxis(values, Qt::AlignLeft);
  series->attachAxis(bonuses);
  series->attachAxis(values);
  setChart(chart);
}

void BonusChart::render(const std::vector<Bonus>& bonuses) {
  QList<qreal> runUps, coins;
  QStringList numbers;
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    runUps.append(bonuses[i].run_up);
    coins.append(bonuses[i].coins);
    numbers.append(QString::number(i + 1));
  }
  runUps_->remove(0, runUps_->count());
  runUps_->append(runUps);
  coins_->remove(0, coins_->count());
  coins_->append(coins);
  auto* axis = static_cast<QBarCategoryAxis*>(chart()->axes(Qt::Horizontal).first());
  axis->clear();  // setCategories() of none keeps the old ones
  axis->append(numbers);
  auto* values = static_cast<QValueAxis*>(chart()->axes(Qt::Vertical).first());
  const design::Axis& shown = values_.update(bonuses);
  values->setRange(shown.min, shown.max);
  values->setTickCount(shown.ticks);
  chart()->setTitle(bonuses.empty() ? QCoreApplication::translate("Window", "No bonus yet")
                                    : QString());
}

}  // namespace tallix::window
