#include "chart.h"

#include <algorithm>

namespace tallix {

void Chart::setRowCount(std::int16_t count) {
  const auto rows = static_cast<std::size_t>(std::clamp<std::int16_t>(count, 1, kMaxRows));
  if (rows < rows_.size()) ++rewrites_;
  rows_.resize(rows);
  row_ = std::min(row_, rowCount());
  ++revision_;
}

void Chart::setRow(std::int16_t row) {
  row_ = std::clamp<std::int16_t>(row, 1, rowCount());
}

void Chart::setValue(std::string text) {
  if (static_cast<std::size_t>(row_) != rows_.size()) ++rewrites_;
  rows_[static_cast<std::size_t>(row_) - 1] = std::move(text);
  ++revision_;
}

void Chart::reset() {
  setRowCount(1);
  setRow(1);
  setValue("0");
}

}  // namespace tallix
