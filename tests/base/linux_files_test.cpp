// The atomic replace under POSIX conditions: directory permissions, file modes and a full disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "base/files.h"
#include "base/profile.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(ProfileWrite, FailureReturnsZeroAndLeavesTheOldFileWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write into a read-only directory";
  TempDir dir;
  const auto path = dir / "hist.log";
  writeBytes(path, "[data]\r\nin_count=1\r\n");
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(WriteProfile("data", "in_count", "2", path), 0);
  EXPECT_EQ(readBytes(path), "[data]\r\nin_count=1\r\n");
}

TEST(ProfileWrite, FullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
  TempDir dir;
  const auto path = dir / "hist.log";
  writeBytes(path, "[data]\r\nin_count=1\r\n");
  ProfileFile big = ProfileFile::load(path);
  for (int row = 2; row < 5000; ++row) big.write("graph", "g" + std::to_string(row), "-150");
  // A file size limit makes the write fail as a full disk does, even for root.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(big.save(path), FileError);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(readBytes(path), "[data]\r\nin_count=1\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileWrite, KeepsTheModeOfTheFileItReplaces) {
  TempDir dir;
  const auto path = dir / "hist.log";
  writeBytes(path, "");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  ASSERT_NE(WriteProfile("data", "a", "1", path), 0);
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace tallix
