// The coin graph's chart (MSChart1): one series of rows numbered from 1, each holding one
// value as text. The counting engine, the records and the clear command reach it only through
// these operations; the window draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallix {

class Chart {
 public:
  static constexpr std::int16_t kMaxRows = 32767;
  // The coin graph takes a point every 25 games: row k holds the coin difference when the
  // 25 × (k − 1)th game started.
  static constexpr std::int32_t kGamesPerRow = 25;

  // The design state: one row holding "0".
  Chart() : rows_{"0"} {}

  std::int16_t rowCount() const { return static_cast<std::int16_t>(rows_.size()); }
  // Raising the count appends empty rows and keeps the others; lowering it keeps the first
  // `count` rows. The count stays between 1 and kMaxRows.
  void setRowCount(std::int16_t count);
  std::int16_t row() const { return row_; }
  void setRow(std::int16_t row);  // 1-based, clamped to the rows there are
  const std::string& value() const { return rows_[static_cast<std::size_t>(row_) - 1]; }
  void setValue(std::string text);
  // Back to the design state, as a new play starts: one row holding "0", row 1 current.
  void reset();

  // For the view: every row's text, row 1 first, and a number that changes with every change.
  const std::vector<std::string>& rows() const { return rows_; }
  std::uint64_t revision() const { return revision_; }
  // A number that changes only when rows are removed or a row other than the last is given a
  // value. While it stays, the rows a view has drawn are unchanged but for the last one, so
  // the view needs to draw only from there on: the graph grows by appending.
  std::uint64_t rewrites() const { return rewrites_; }

 private:
  std::vector<std::string> rows_;
  std::int16_t row_ = 1;
  std::uint64_t revision_ = 0;
  std::uint64_t rewrites_ = 0;
};

}  // namespace tallix
