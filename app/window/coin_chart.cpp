#include "coin_chart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "qt_design.h"

namespace tallix::window {

namespace {

void styleAxis(QValueAxis* axis) {
  axis->setLabelsColor(toQColor(design::kChartLabels));
  axis->setLinePenColor(toQColor(design::kChartAxis));
  axis->setGridLineColor(toQColor(design::kChartGrid));
  axis->setMinorGridLineVisible(false);
  QFont font = designFont(Style::F);
  font.setPixelSize(design::kChartLabelPixels);
  axis->setLabelsFont(font);
  axis->setLabelFormat("%d");
}

void showAxis(QValueAxis* axis, const design::Axis& shown) {
  axis->setRange(shown.min, shown.max);
  axis->setTickCount(shown.ticks);
}

}  // namespace

CoinChart::CoinChart(QWidget* parent)
    : QChartView(parent),
      coins_(new QLineSeries),
      zero_(new QLineSeries),
      games_(new QValueAxis),
      difference_(new QValueAxis) {
  setObjectName("MSChart1");
  const QRect place = toPixels(design::kCoinChart);
  setGeometry(place);
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  setBackgroundBrush(Qt::black);

  auto* chart = new QChart;
  chart->setBackgroundBrush(Qt::black);
  chart->setBackgroundRoundness(0);
  chart->setPlotAreaBackgroundBrush(toQColor(design::kChartPlot));
  chart->setPlotAreaBackgroundVisible(true);
  chart->legend()->hide();
  // The parts of the control outside the client area (left, right, bottom) become margins, and
  // the top one leaves room for the small-win rows that stand over the chart's upper edge.
  const int outLeft = -place.left();
  const int outRight = place.right() + 1 - design::kClientWidth;
  const int outBottom = place.bottom() + 1 - design::kClientHeight;
  chart->setMargins(
      QMargins(outLeft + 4, design::kCoinChartTopMargin, outRight + 8, outBottom + 2));
  chart->setAnimationOptions(QChart::NoAnimation);

  zero_->setPen(QPen(toQColor(design::kChartZero), 1, Qt::DashLine));
  coins_->setPen(QPen(toQColor(design::kChartLine), 2));
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

void CoinChart::render(const Chart& chart, double payout) {
  const std::optional<design::CoinLine::Change> change = line_.update(chart);
  const design::CoinAxes::Redraw redraw = axes_.update(line_, change, payout);
  if (redraw == design::CoinAxes::Redraw::nothing) return;
  if (change) {
    points_.resize(static_cast<qsizetype>(change->first));
    for (std::size_t i = change->first; i < line_.points().size(); ++i) {
      points_.append(QPointF(line_.points()[i].games, line_.points()[i].coins));
    }
    coins_->replace(points_);
  }
  if (redraw != design::CoinAxes::Redraw::all) return;
  showAxis(games_, axes_.games());
  showAxis(difference_, axes_.coins());
  zero_->replace(QList<QPointF>{{0, 0}, {axes_.games().max, 0}});
  showExpected();
}

QList<QPointF> CoinChart::expectedPoints() const {
  return expected_ != nullptr && expected_->isVisible() ? expected_->points() : QList<QPointF>{};
}

void CoinChart::showExpected() {
  if (expected_ == nullptr && axes_.hasExpected()) {
    expected_ = new QLineSeries;
    expected_->setPen(QPen(toQColor(design::kChartExpected), 1, Qt::DashLine));
    chart()->addSeries(expected_);
    expected_->attachAxis(games_);
    expected_->attachAxis(difference_);
  }
  if (expected_ == nullptr) return;
  expected_->setVisible(axes_.hasExpected());
  expected_->replace(QList<QPointF>{{0, 0}, {axes_.games().max, axes_.expectedEnd()}});
}

void CoinChart::focusInEvent(QFocusEvent* event) {
  QChartView::focusInEvent(event);
  focusNextChild();
}

}  // namespace tallix::window
