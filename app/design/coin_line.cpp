#include "coin_line.h"

#include <algorithm>

#include "base/numbers.h"
#include "counting/chart.h"

namespace tallix::design {

std::optional<CoinLine::Change> CoinLine::update(const Chart& chart) {
  if (revision_ == chart.revision()) return std::nullopt;
  const bool appended =
      revision_ && rewrites_ == chart.rewrites() && chart.rows().size() >= values_.size();
  revision_ = chart.revision();
  rewrites_ = chart.rewrites();
  // The last row drawn may have been given its value since.
  const std::size_t from = appended ? values_.size() - 1 : 0;
  takeRows(chart, from);
  std::size_t fromBucket = from / rowsPerBucket_;
  while (values_.size() > kMaxBuckets * rowsPerBucket_) {
    rowsPerBucket_ *= 2;
    fromBucket = 0;
  }
  return Change{appended, thin(std::min(fromBucket, bucketPoints_.size()))};
}

void CoinLine::takeRows(const Chart& chart, std::size_t from) {
  const std::vector<std::string>& rows = chart.rows();
  if (from == 0) {
    values_.clear();
    low_ = high_ = 0;
    rowsPerBucket_ = 1;
  }
  values_.resize(from);
  for (std::size_t i = from; i < rows.size(); ++i) {
    // A row not yet given a value reads as 0.
    const double value = std::clamp(parseNumber(rows[i]), -kLargestCoins, kLargestCoins);
    values_.push_back(value);
    low_ = std::min(low_, value);
    high_ = std::max(high_, value);
  }
}

std::size_t CoinLine::thin(std::size_t fromBucket) {
  const std::size_t first =
      fromBucket < bucketPoints_.size() ? bucketPoints_[fromBucket] : points_.size();
  points_.resize(first);
  bucketPoints_.resize(fromBucket);
  auto point = [this](std::size_t row) {
    return Point{static_cast<double>(row) * Chart::kGamesPerRow, values_[row]};
  };
  for (std::size_t row = fromBucket * rowsPerBucket_; row < values_.size(); row += rowsPerBucket_) {
    bucketPoints_.push_back(points_.size());
    const auto begin = values_.begin() + static_cast<std::ptrdiff_t>(row);
    const auto end = values_.begin() +
                     static_cast<std::ptrdiff_t>(std::min(row + rowsPerBucket_, values_.size()));
    const auto [low, high] = std::minmax_element(begin, end);
    const std::size_t a = static_cast<std::size_t>(std::min(low, high) - values_.begin());
    const std::size_t b = static_cast<std::size_t>(std::max(low, high) - values_.begin());
    points_.push_back(point(a));
    if (b != a) points_.push_back(point(b));
  }
  return first;
}

}  // namespace tallix::design
