// Writes under POSIX conditions: directory permissions, file modes, a full disk, symbolic
// links, and locks on a file that is written in place.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "base/file_lock.h"
#include "base/files.h"
#include "base/numbers.h"
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
  for (int row = 2; row < 5000; ++row) big.write("graph", numberedKey("g", row), "-150");
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

TEST(WriteFileAtomically, ASymlinkedFileIsWrittenAtItsTargetAndTheLinkStays) {
  TempDir dir;
  std::filesystem::create_directory(dir / "elsewhere");
  writeBytes(dir / "elsewhere" / "real.log", "old");
  std::filesystem::create_symlink("elsewhere/real.log", dir / "hist.log");
  std::filesystem::create_symlink(dir / "hist.log", dir / "link-to-link.log");
  writeFileAtomically(dir / "link-to-link.log", "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "hist.log"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link-to-link.log"));
  EXPECT_EQ(readBytes(dir / "elsewhere" / "real.log"), "new");
  // A link whose target is not there yet makes the target.
  std::filesystem::create_symlink("elsewhere/later.log", dir / "later.log");
  writeFileAtomically(dir / "later.log", "made");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "later.log"));
  EXPECT_EQ(readBytes(dir / "elsewhere" / "later.log"), "made");
}

// Runs `check` in a child process as a user other than the files' owner (root's rights would
// let any write through); true when it returned true.
bool asAnotherUser(const std::function<bool()>& check) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(WriteFileAtomically, AWritableFileInAFolderThatIsNotIsWrittenInPlace) {
  TempDir dir;
  const auto path = dir / "hist.log";
  writeBytes(path, "an old record, longer than the new one");
  std::filesystem::permissions(path, std::filesystem::perms::all);
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                      std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                      std::filesystem::perms::others_exec);
  EXPECT_TRUE(asAnotherUser([&] {
    if (whyNotWritable(path) || whyNotWritable(dir / "new.log") != "Permission denied") {
      return false;
    }
    writeFileAtomically(path, "new");
    try {
      writeFileAtomically(dir / "new.log", "x");
      return false;
    } catch (const FileError& e) {
      return e.reason() == "Permission denied";
    }
  }));
  EXPECT_EQ(readBytes(path), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A new file gets the mode the process's umask gives it, a replaced file keeps its own, and the
// umask is never changed on the way: another thread that makes a file meanwhile gets the mode
// it asked for.
TEST(WriteFileAtomically, FilesGetTheModeTheUmaskGivesWhateverAnotherThreadDoes) {
  TempDir dir;
  const mode_t before = umask(022);
  for (const mode_t mask : {mode_t{022}, mode_t{027}, mode_t{077}}) {
    SCOPED_TRACE(mask);
    umask(mask);
    writeFileAtomically(dir / "new.log", "x");
    EXPECT_EQ(std::filesystem::status(dir / "new.log").permissions(),
              std::filesystem::perms(0666 & ~mask));
    std::filesystem::remove(dir / "new.log");
  }
  umask(022);
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    for (int i = 0; i < 2000; ++i) writeFileAtomically(dir / "hist.log", std::to_string(i));
    writing = false;
  });
  int made = 0;
  std::vector<int> wider;
  for (; writing || made < 100; ++made) {
    const std::string name = (dir / ("other-" + std::to_string(made % 64))).string();
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    struct stat st {};
    fstat(fd, &st);
    close(fd);
    unlink(name.c_str());
    if ((st.st_mode & 077) != 044) wider.push_back(made);
  }
  writer.join();
  EXPECT_TRUE(wider.empty()) << wider.size() << " of " << made << " files got another mode";
  EXPECT_EQ(umask(before), 022);
}

// The rename reaches the disk only with its folder: a folder that cannot be opened to be synced
// fails the write.
TEST(WriteFileAtomically, AFolderThatCannotBeSyncedFailsTheWrite) {
  TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all |
                                               std::filesystem::perms::others_write |
                                               std::filesystem::perms::others_exec);
  EXPECT_TRUE(asAnotherUser([&] {
    try {
      writeFileAtomically(dir / "hist.log", "x");
      return false;
    } catch (const FileError& e) {
      return e.reason() == "Permission denied";
    }
  }));
}

// The n-th play a saving child writes: a record of its own length, long enough (hundreds of
// kilobytes) that a cut can fall inside the write as well as between the steps of a save.
std::string nthPlay(int n) {
  std::string play = "[data]\r\nin_count=" + std::to_string(n) + "\r\n[graph]\r\n";
  for (int row = 0; row < 20000 + 5000 * (n % 7); ++row) {
    play += numberedKey("g", row) + "=" + std::to_string(n) + "\r\n";
  }
  return play;
}

// The power pulled at any moment: a child saves play after play and is killed at random
// points (a seeded generator picks how many saves it finishes first and how long the last one
// runs). After each cut the record is whole, the play saved last or the one under way, never a
// mix, a shorter file or none; what else the cut leaves is a temporary file of its own name,
// which nothing takes for a record.
TEST(WriteFileAtomically, ASaveCutAtAnyMomentLeavesTheOldPlayOrTheNew) {
  TempDir dir;
  const auto path = dir / "hist.log";
  std::mt19937 random(34);
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    writeFileAtomically(path, nthPlay(0));
    int done[2];
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    if (child == 0) {
      close(done[0]);
      for (int n = 1;; ++n) {
        writeFileAtomically(path, nthPlay(n));
        const char saved = 1;
        if (write(done[1], &saved, 1) != 1) _exit(1);
      }
    }
    close(done[1]);
    int saved = 0;
    const int before = std::uniform_int_distribution<int>(0, 3)(random);
    for (char byte; saved < before && read(done[0], &byte, 1) == 1;) ++saved;
    // The cut falls this far into the next save: a spin, not a wait for anything.
    for (int spin = std::uniform_int_distribution<int>(0, 2'000'000)(random); spin > 0; --spin) {
      std::atomic_signal_fence(std::memory_order_seq_cst);
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    for (char byte; read(done[0], &byte, 1) == 1;) ++saved;  // the reports not read yet
    close(done[0]);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string left = readBytes(path);
    EXPECT_TRUE(left == nthPlay(saved) || left == nthPlay(saved + 1))
        << saved << " saves reported, " << left.size() << " bytes left";
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      if (entry.path() == path) continue;
      EXPECT_EQ(entry.path().filename().string().rfind("hist.log.tmp-", 0), 0u) << entry.path();
      EXPECT_NE(entry.path().extension(), ".log") << entry.path();
      std::filesystem::remove(entry.path());
    }
  }
}

TEST(FileLock, ALockOnAnExistingFileIsHeldWithoutWritingIt) {
  TempDir dir;
  writeBytes(dir / "hist.log", "play");
  {
    const FileLock held = FileLock::existing(dir / "hist.log");
    EXPECT_THROW(FileLock::existing(dir / "hist.log"), FileLocked);
  }
  EXPECT_NO_THROW(FileLock::existing(dir / "hist.log"));
  EXPECT_EQ(readBytes(dir / "hist.log"), "play");
}

}  // namespace
}  // namespace tallix
