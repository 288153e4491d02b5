#include "past_plays.h"

#include <algorithm>

#include "base/files.h"
#include "base/say.h"
#include "record.h"

namespace tallix {

namespace {

// "2026-12-07 19:30:12" for the stem "2026-12-07_193012", else the stem as it is.
std::string dateOf(const std::string& stem) {
  static constexpr std::string_view kPattern = "dddd-dd-dd_dddddd";
  if (stem.size() != kPattern.size()) return stem;
  for (std::size_t i = 0; i < stem.size(); ++i) {
    const bool digit = stem[i] >= '0' && stem[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : stem[i] != kPattern[i]) return stem;
  }
  return stem.substr(0, 10) + ' ' + stem.substr(11, 2) + ':' + stem.substr(13, 2) + ':' +
         stem.substr(15, 2);
}

}  // namespace

std::vector<PastPlay> listPastPlays(const std::filesystem::path& folder) {
  std::vector<PastPlay> plays;
  std::error_code ec;
  if (!std::filesystem::exists(folder, ec)) return plays;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != ".log" || !it->is_regular_file()) continue;
    plays.push_back({path, dateOf(path.stem().string())});
  }
  if (ec) throw FileError(folder, Say::tr("cannot be listed: %1", {ec.message()}));
  std::sort(plays.begin(), plays.end(), [](const PastPlay& a, const PastPlay& b) {
    return a.path.filename() > b.path.filename();
  });
  return plays;
}

PlayRecord readPlay(const std::filesystem::path& path) {
  RecordContent record = readRecord(path);
  return {record.counters, std::move(record.bonuses)};
}

}  // namespace tallix
