#include "records/past_plays.h"

#include <gtest/gtest.h>

#include "records/archive.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::Play;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

constexpr std::time_t kNoon = 1796644800;

std::optional<PlaySummary> summaryOf(const std::vector<PastPlay>& plays, const std::string& name) {
  for (const PastPlay& p : plays) {
    if (p.path.filename() == name) return p.summary;
  }
  ADD_FAILURE() << name << " not listed";
  return std::nullopt;
}

// The summaries come from the index beside the plays, made when a play is kept; a file that is
// new or changed is read again, a line of a file that is gone dropped, and an index that is not
// one is made afresh.
TEST(PastPlays, SummariesComeFromTheIndexWhichFollowsTheFiles) {
  TempDir dir;
  const auto folder = dir / "plays";
  Play play;
  for (int i = 0; i < 40; ++i) play.game(3, i % 4 == 0 ? 8 : 0);
  const std::string kept = archivePlay(play.counter, folder, kNoon).filename().string();
  const std::string index = readBytes(folder / "summaries.tsv");
  EXPECT_NE(index.find(kept + '\t'), std::string::npos) << index;  // made when it was kept

  const PlaySummary summary = summarize(play.c(), {}, play.counter.payouts().counts());
  EXPECT_EQ(summaryOf(listPastPlays(folder), kept), summary);
  // Read from the index, not the file: a line changed by hand (the file's size and time kept).
  std::string edited = index;
  edited.replace(edited.find("\t40\t"), 4, "\t99\t");
  writeBytes(folder / "summaries.tsv", edited);
  EXPECT_EQ(summaryOf(listPastPlays(folder), kept)->games, 99);

  // A file changed since its line was made is read again, and its line made afresh.
  play.game(3, 0);
  SaveRecord(play.counter, folder / kept);
  EXPECT_EQ(summaryOf(listPastPlays(folder), kept)->games, 41);
  writeBytes(folder / "2026-01-01_000000.log", "not a record");
  EXPECT_EQ(summaryOf(listPastPlays(folder), "2026-01-01_000000.log"), std::nullopt);
  EXPECT_NE(readBytes(folder / "summaries.tsv").find("2026-01-01_000000.log\t12\t"),
            std::string::npos);

  // Gone files leave the index; an index that is not one is made afresh.
  std::filesystem::remove(folder / "2026-01-01_000000.log");
  writeBytes(folder / "summaries.tsv", "garbage\tx\n");
  const std::vector<PastPlay> listed = listPastPlays(folder);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].summary->games, 41);
  EXPECT_EQ(readBytes(folder / "summaries.tsv").find("2026-01-01"), std::string::npos);
}

}  // namespace
}  // namespace tallix
