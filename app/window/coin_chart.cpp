#include "coin_chart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "base/numbers.h"
#include "counting/chart.h"
#include "counting/figures.h"
#include "design.h"

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
  if (revision_ == chart.revision() && payout_ == payout) return;
  const bool grew = revision_ && rewrites_ == chart.rewrites() &&
                    chart.rows().size() >= values_.size() && payout_ == payout;
  if (payout_ != payout) showExpected(payout);
  revision_ = chart.revision();
  rewrites_ = chart.rewrites();
  // The last row drawn may have been given its value since.
  takeRows(chart, grew ? values_.size() - 1 : 0);

  coins_->replace(points_);
  // The axes follow the data. Laying out their labels costs more than the line, so a growing
  // graph moves them only when it leaves their range.
  const double lastGame = std::max(static_cast<double>(values_.size() - 1) * Chart::kGamesPerRow,
                                   10.0 * Chart::kGamesPerRow);
  if (!grew || lastGame > games_->max()) {
    games_->setRange(0, lastGame);
    games_->applyNiceNumbers();
    zero_->replace(QList<QPointF>{{0, 0}, {games_->max(), 0}});
    if (expected_ != nullptr) {
      expected_->replace(
          QList<QPointF>{{0, 0}, {games_->max(), expectedDifference(games_->max(), payout_)}});
    }
  }
  // At least 100 coins either way, so that a flat start does not magnify single coins; the
  // expected-value line stays in sight up to the last point.
  const double expected = payout_ > 0 ? expectedDifference(lastGame, payout_) : 0;
  const double low = std::min({low_, expected, -100.0});
  const double high = std::max({high_, expected, 100.0});
  if (!grew || low < difference_->min() || high > difference_->max()) {
    difference_->setRange(low, high);
    difference_->applyNiceNumbers();
  }
}

QList<QPointF> CoinChart::expectedPoints() const {
  return expected_ != nullptr && expected_->isVisible() ? expected_->points() : QList<QPointF>{};
}

void CoinChart::showExpected(double payout) {
  payout_ = payout;
  if (expected_ == nullptr && payout > 0) {
    expected_ = new QLineSeries;
    expected_->setPen(QPen(toQColor(design::kChartExpected), 1, Qt::DashLine));
    chart()->addSeries(expected_);
    expected_->attachAxis(games_);
    expected_->attachAxis(difference_);
  }
  if (expected_ != nullptr) expected_->setVisible(payout > 0);
}

void CoinChart::takeRows(const Chart& chart, std::size_t from) {
  const std::vector<std::string>& rows = chart.rows();
  if (from == 0) {
    values_.clear();
    low_ = high_ = 0;
    rowsPerBucket_ = 1;
  }
  values_.resize(from);
  for (std::size_t i = from; i < rows.size(); ++i) {
    const double value = parseNumber(rows[i]);  // a row not yet given a value reads as 0
    values_.push_back(value);
    low_ = std::min(low_, value);
    high_ = std::max(high_, value);
  }
  std::size_t fromBucket = from / rowsPerBucket_;
  while (values_.size() > kMaxBuckets * rowsPerBucket_) {
    rowsPerBucket_ *= 2;
    fromBucket = 0;
  }
  thin(std::min(fromBucket, bucketPoints_.size()));
}

void CoinChart::thin(std::size_t fromBucket) {
  points_.resize(fromBucket < bucketPoints_.size() ? bucketPoints_[fromBucket] : points_.size());
  bucketPoints_.resize(fromBucket);
  auto point = [this](std::size_t row) {
    return QPointF(static_cast<double>(row) * Chart::kGamesPerRow, values_[row]);
  };
  for (std::size_t first = fromBucket * rowsPerBucket_; first < values_.size();
       first += rowsPerBucket_) {
    bucketPoints_.push_back(points_.size());
    const auto begin = values_.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = values_.begin() +
                     static_cast<std::ptrdiff_t>(std::min(first + rowsPerBucket_, values_.size()));
    const auto [low, high] = std::minmax_element(begin, end);
    const std::size_t a = static_cast<std::size_t>(std::min(low, high) - values_.begin());
    const std::size_t b = static_cast<std::size_t>(std::max(low, high) - values_.begin());
    points_.append(point(a));
    if (b != a) points_.append(point(b));
  }
}

void CoinChart::focusInEvent(QFocusEvent* event) {
  QChartView::focusInEvent(event);
  focusNextChild();
}

}  // namespace tallix::window
