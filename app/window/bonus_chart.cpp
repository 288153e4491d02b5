#include "bonus_chart.h"

#include <QCoreApplication>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "design.h"

namespace tallix::window {

namespace {

void styleAxis(QAbstractAxis* axis) {
  QFont font = axis->labelsFont();
  font.setPixelSize(10);
  axis->setLabelsFont(font);
  axis->setLabelsColor(QColor(0xC0, 0xC0, 0xC0));
  axis->setLinePenColor(QColor(0x80, 0x80, 0x80));
  axis->setGridLineColor(QColor(0x30, 0x30, 0x30));
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

  runUps_->setColor(QColor(0x80, 0xA0, 0xFF));
  runUps_->setBorderColor(Qt::transparent);
  coins_->setColor(QColor(0x40, 0xFF, 0x90));  // the coin graph's green
  coins_->setBorderColor(Qt::transparent);
  auto* series = new QBarSeries;
  series->append(runUps_);
  series->append(coins_);

  auto* chart = new QChart;
  chart->setBackgroundBrush(Qt::black);
  chart->setBackgroundRoundness(0);
  chart->setPlotAreaBackgroundBrush(QColor(0x08, 0x10, 0x18));
  chart->setPlotAreaBackgroundVisible(true);
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setLabelColor(QColor(0xC0, 0xC0, 0xC0));
  chart->legend()->setAlignment(Qt::AlignTop);
  chart->setTitleBrush(QColor(0xC0, 0xC0, 0xC0));
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
  double low = 0, high = 100;
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    runUps.append(bonuses[i].run_up);
    coins.append(bonuses[i].coins);
    numbers.append(QString::number(i + 1));
    low = std::min({low, runUps.last(), coins.last()});
    high = std::max({high, runUps.last(), coins.last()});
  }
  runUps_->remove(0, runUps_->count());
  runUps_->append(runUps);
  coins_->remove(0, coins_->count());
  coins_->append(coins);
  auto* axis = static_cast<QBarCategoryAxis*>(chart()->axes(Qt::Horizontal).first());
  axis->clear();  // setCategories() of none keeps the old ones
  axis->append(numbers);
  auto* values = static_cast<QValueAxis*>(chart()->axes(Qt::Vertical).first());
  values->setRange(low, high);
  values->applyNiceNumbers();
  chart()->setTitle(bonuses.empty() ? QCoreApplication::translate("Window", "No bonus yet")
                                    : QString());
}

}  // namespace tallix::window
