#include "design/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tallix::design {
namespace {

// Every command is a button, whose id is its name's number (the Win32 window's control ids), or
// a menu entry with a caption; no two share a name or a key. Each key is written as menus write
// it.
TEST(Commands, EachIsAButtonOrAnEntryWithANameAndKeyOfItsOwn) {
  std::set<std::string> names;
  std::set<char> keys;
  for (const Command& c : kCommands) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(names.insert(c.name).second);
    if (c.key != 0) {
      EXPECT_TRUE(keys.insert(c.key).second);
      EXPECT_EQ(keyText(c), std::string("Ctrl+") + c.key);
    } else {
      EXPECT_EQ(keyText(c), "");
    }
    if (c.button != nullptr) {
      EXPECT_STREQ(c.name, c.button->name);
      EXPECT_EQ("Command" + std::to_string(static_cast<int>(c.id)), c.name);
      EXPECT_EQ(c.menu, MenuPlace::none);
      EXPECT_EQ(c.caption, nullptr);
    } else {
      EXPECT_NE(c.caption, nullptr);
      EXPECT_NE(c.menu, MenuPlace::none);
    }
  }
  EXPECT_EQ(names.size(), kCommands.size());
}

}  // namespace
}  // namespace tallix::design
