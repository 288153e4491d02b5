#include "base/file_lock.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(FileLock, OneHolderAtATimeNamedByItsProcessALeftLockTakenOverAndNoneLeftBehind) {
  TempDir dir;
  const auto path = dir / "hist.log.lock";
  writeBytes(path, "4242\n");  // left by a program that ended without releasing it
  std::string holder;
  {
    const FileLock held(path);
    holder = readBytes(path);
    EXPECT_NE(holder, "4242\n");
    try {
      const FileLock second(path);
      ADD_FAILURE();
    } catch (const FileLocked& e) {
      EXPECT_EQ(e.holder() + "\n", holder.substr(0, holder.find_first_of("\r\n")) + "\n");
      EXPECT_FALSE(e.holder().empty());
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path));  // a lock released leaves no file behind
  EXPECT_NO_THROW(FileLock{path});
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_THROW(FileLock{dir / "none" / "x.lock"}, FileError);
}

}  // namespace
}  // namespace tallix
