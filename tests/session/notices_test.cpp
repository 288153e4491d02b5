#include "session/notices.h"

#include <gtest/gtest.h>

namespace tallix {
namespace {

std::string shown(const Notices& notices) {
  return notices.shown() != nullptr ? notices.shown()->text.english() : "";
}

// Lasting notices wait their turn oldest first; a passing one shows at once before them and
// goes by itself; a notice said again is held once.
TEST(Notices, LastingWaitTheirTurnPassingShowFirstAndGoByThemselves) {
  Notices notices;
  EXPECT_EQ(notices.shown(), nullptr);
  notices.add("not counting", false, 0);
  notices.add("kept aside", false, 10);
  notices.add("saved", true, 20);
  notices.add("not counting", false, 30);  // again: once, now the newest
  EXPECT_EQ(notices.all().size(), 3u);
  EXPECT_EQ(shown(notices), "saved");
  const std::uint64_t revision = notices.revision();
  notices.expire(20 + Notices::kPassingMs - 1);
  EXPECT_EQ(notices.revision(), revision);  // nothing went
  notices.expire(20 + Notices::kPassingMs);
  EXPECT_EQ(shown(notices), "kept aside");
  notices.dismiss();
  EXPECT_EQ(shown(notices), "not counting");
  notices.dismiss();
  notices.dismiss();  // nothing left to dismiss
  EXPECT_TRUE(notices.all().empty());
}

// A notice about a topic takes the place of the one held about it: a failure that is mended
// goes when its mending is said, and other notices stay.
TEST(Notices, ANoticeAboutATopicReplacesTheOneHeldAboutIt) {
  using Topic = Notices::Topic;
  const struct {
    const char* what;
    Topic first, then;
    std::size_t held;
  } rows[] = {
      {"a save failing, then succeeding", Topic::saving, Topic::saving, 2},
      {"an input lost, then back", Topic::input, Topic::input, 2},
      {"an input back after a save failed", Topic::saving, Topic::input, 3},
      {"two notices about nothing in particular", Topic::none, Topic::none, 3},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Notices notices;
    notices.add("kept aside", false, 0);
    notices.add("it is wrong", false, 10, row.first);
    notices.add("it is right again", true, 20, row.then);
    EXPECT_EQ(notices.all().size(), row.held);
    EXPECT_EQ(shown(notices), "it is right again");
    notices.expire(20 + Notices::kPassingMs);
    EXPECT_EQ(shown(notices), "kept aside");  // what stays until dismissed
  }
}

}  // namespace
}  // namespace tallix
