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

}  // namespace
}  // namespace tallix
