// The coin graph's line as every window draws it: the chart's rows (row k the coin difference at
// 25 x (k - 1) games) as points (games, coins). A full graph has 32,767 rows, far more than the
// plot has pixels: the line is thinned to at most kMaxBuckets runs of rows, each drawn as its
// lowest and highest point in the order they came, so the drawing keeps every peak and costs the
// same whatever the play's length. Rows appended change only the last run, so that a window
// redraws only from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tallix {
class Chart;
}

namespace tallix::design {

class CoinLine {
 public:
  static constexpr std::size_t kMaxBuckets = 1024;
  // Rows beyond this many coins either way, which no play reaches, are drawn at it: a window can
  // neither place nor label a point of any size.
  static constexpr double kLargestCoins = 1e9;

  struct Point {
    double games, coins;
    friend bool operator==(const Point&, const Point&) = default;
  };
  struct Change {
    bool appended;      // rows were only appended, or the last one given its value
    std::size_t first;  // the first point that changed; those before it are as they were
  };

  // Takes what changed in the chart since the last update; nullopt when nothing did.
  std::optional<Change> update(const Chart& chart);

  const std::vector<Point>& points() const { return points_; }
  std::size_t rows() const { return values_.size(); }
  // The lowest and highest coin difference of the rows, with 0 (the start) among them.
  double low() const { return low_; }
  double high() const { return high_; }

 private:
  void takeRows(const Chart& chart, std::size_t from);
  std::size_t thin(std::size_t fromBucket);

  std::optional<std::uint64_t> revision_;
  std::uint64_t rewrites_ = 0;
  std::vector<double> values_;             // every row's value, row 1 first
  std::size_t rowsPerBucket_ = 1;          // a power of two
  std::vector<std::size_t> bucketPoints_;  // where each bucket's points begin in points_
  std::vector<Point> points_;
  double low_ = 0, high_ = 0;
};

}  // namespace tallix::design
