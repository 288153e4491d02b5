#include "coin_chart.h"

#include <QList>
#include <QPointF>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "base/numbers.h"
#include "counting/chart.h"
#include "design.h"

namespace tallix::window {

namespace {

constexpr Twips kPlace{-660, 5040, 13095, 4515};
constexpr int kGamesPerRow = 25;

void styleAxis(QValueAxis* axis) {
  axis->setLabelsColor(QColor(0xC0, 0xC0, 0xC0));
  axis->setLinePenColor(QColor(0x80, 0x80, 0x80));
  axis->setGridLineColor(QColor(0x30, 0x30, 0x30));
  axis->setMinorGridLineVisible(false);
  QFont font = designFont(Style::F);
  font.setPixelSize(11);
  axis->setLabelsFont(font);
  axis->setLabelFormat("%d");
}

}  // namespace

CoinChart::CoinChart(QWidget* parent)
    : QChartView(parent),
      coins_(new QLineSeries),
      zero_(new QLineSeries),
      games_(new QValueAxis),
      difference_(new QValueAxis) {
  setObjectName("MSChart1");
  const QRect place = toPixels(kPlace);
  setGeometry(place);
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  setBackgroundBrush(Qt::black);

  auto* chart = new QChart;
  chart->setBackgroundBrush(Qt::black);
  chart->setBackgroundRoundness(0);
  chart->setPlotAreaBackgroundBrush(QColor(0x08, 0x10, 0x18));
  chart->setPlotAreaBackgroundVisible(true);
  chart->legend()->hide();
  // The parts of the control outside the client area (left, right, bottom) become margins, and
  // the top one leaves room for the small-win rows that stand over the chart's upper edge.
  const int outLeft = -place.left();
  const int outRight = place.right() + 1 - kClientWidth;
  const int outBottom = place.bottom() + 1 - kClientHeight;
  chart->setMargins(QMargins(outLeft + 4, 28, outRight + 8, outBottom + 2));
  chart->setAnimationOptions(QChart::NoAnimation);

  zero_->setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DashLine));
  coins_->setPen(QPen(QColor(0x40, 0xFF, 0x90), 2));
  chart->addSeries(zero_);
  chart->addSeries(coins_);
  styleAxis(games_);
  styleAxis(difference_);
  chart->addAxis(games_, Qt::AlignBottom);
  chart->addAxis(difference_, Qt::AlignLeft);
  for (QLineSeries* series : {zero_, coins_}) {
    series->attachAxis(games_);
    series->attachAxis(difference_);
  }
  setChart(chart);
}

void CoinChart::render(const Chart& chart) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(chart.rows().size()));
  double low = 0, high = 0;
  for (const std::string& row : chart.rows()) {
    const double value = parseNumber(row);  // a row not yet given a value reads as 0
    points.append(QPointF(static_cast<double>(points.size()) * kGamesPerRow, value));
    low = std::min(low, value);
    high = std::max(high, value);
  }
  const double lastGame = std::max(points.back().x(), 10.0 * kGamesPerRow);
  coins_->replace(points);
  games_->setRange(0, lastGame);
  games_->applyNiceNumbers();
  zero_->replace(QList<QPointF>{{0, 0}, {games_->max(), 0}});
  // At least 100 coins either way, so that a flat start does not magnify single coins.
  difference_->setRange(std::min(low, -100.0), std::max(high, 100.0));
  difference_->applyNiceNumbers();
}

void CoinChart::focusInEvent(QFocusEvent* event) {
  QChartView::focusInEvent(event);
  focusNextChild();
}

}  // namespace tallix::window
