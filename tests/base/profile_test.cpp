#include "base/profile.h"

#include <gtest/gtest.h>

#include <random>

#include "base/cp932.h"
#include "base/files.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(ProfileRead, FindsKeysTheWayTheWindowsFunctionsDo) {
  const ProfileFile ini(
      "; settings\r\n"
      "top=ignored\r\n"
      "[Setting]\r\n"
      "  Addr = &H378  \r\n"
      "rate1=\"7.6\"\r\n"
      "rate2='5'\r\n"
      "rate3=\"8\r\n"
      ";rate4=1\r\n"
      "noequals\r\n"
      "addr=second key loses\r\n"
      "[setting]\r\n"
      "addr=second section loses\n"
      "[koyaku]\n"
      "koyaku1=10\n"
      "koyaku2=");
  EXPECT_EQ(ini.value("setting", "addr"), "&H378");
  EXPECT_EQ(ini.value("SETTING", "ADDR"), "&H378");
  EXPECT_EQ(ini.value("setting", "rate1"), "7.6");
  EXPECT_EQ(ini.value("setting", "rate2"), "5");
  EXPECT_EQ(ini.value("setting", "rate3"), "\"8");
  EXPECT_EQ(ini.value("setting", "rate4"), "");
  EXPECT_EQ(ini.value("setting", "noequals"), "");
  EXPECT_EQ(ini.value("setting", "top"), "");
  EXPECT_EQ(ini.value("koyaku", "koyaku1"), "10");
  EXPECT_EQ(ini.value("koyaku", "koyaku2"), "");
  EXPECT_EQ(ini.value("missing", "koyaku1"), "");
  EXPECT_EQ(ini.keys("setting"),
            (std::vector<std::string>{"Addr", "rate1", "rate2", "rate3", "addr"}));
}

TEST(ProfileRead, ConvertsCp932AndCutsAt254BytesWithoutSplittingACharacter) {
  // "■" is 0x81 0xA1 in CP932.
  const std::string squares = "\x81\xA1\x81\xA1";
  EXPECT_EQ(ProfileFile("[data]\r\nr0=1" + squares + "\r\n").value("data", "r0"), "1■■");
  EXPECT_EQ(utf8ToCp932("1■■"), "1" + squares);

  const std::string ascii(300, 'x');
  EXPECT_EQ(ProfileFile("[n]\nname=" + ascii).value("n", "name"), std::string(254, 'x'));
  // 253 ASCII bytes and then a double-byte character: the character would end at byte 255.
  const std::string cut = std::string(253, 'y') + squares;
  EXPECT_EQ(ProfileFile("[n]\nname=" + cut).value("n", "name"), std::string(253, 'y'));

  // Bytes that are not CP932 read as U+FFFD; characters CP932 lacks are written as "?".
  EXPECT_EQ(ProfileFile("[n]\nname=a\xFF\x81").value("n", "name"), "a\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(utf8ToCp932("a😀b\xFF"), "a?b?");
}

TEST(ProfileRead, SurvivesGarbageAndVeryLongLines) {
  std::mt19937 rng(7);
  std::string garbage(200000, '\0');
  for (char& c : garbage) c = static_cast<char>(rng());
  const ProfileFile file(garbage + "\n[data]\nin_count=" + std::string(1 << 20, '9') + "\n");
  EXPECT_EQ(file.value("data", "in_count"), std::string(254, '9'));
  EXPECT_EQ(file.value("data", "out_count"), "");
}

// Each row: the file before, one write, and the exact bytes after.
TEST(ProfileWrite, ChangesOnlyTheLineItWrites) {
  const struct {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } rows[] = {
      {"creates the file", "", "data", "in_count", "5", "[data]\r\nin_count=5\r\n"},
      {"replaces in place, keeps LF lines", "; c\n[Data]\nIN_COUNT = 1\nout=2\n", "data",
       "in_count", "7", "; c\n[Data]\nin_count=7\r\nout=2\n"},
      {"adds a key after the last non-blank line of its section",
       "[data]\r\na=1\r\n; note\r\n\r\n[graph]\r\ng2=0\r\n", "data", "b", "2",
       "[data]\r\na=1\r\n; note\r\nb=2\r\n\r\n[graph]\r\ng2=0\r\n"},
      {"adds a key to an empty section", "[data]\r\n\r\n[x]\r\n", "data", "a", "1",
       "[data]\r\na=1\r\n\r\n[x]\r\n"},
      {"adds a section at the end", "[data]\r\na=1\r\n", "graph", "g2", "-150",
       "[data]\r\na=1\r\n[graph]\r\ng2=-150\r\n"},
      {"ends a last line that had no line end", "[data]\r\na=1", "data", "b", "2",
       "[data]\r\na=1\r\nb=2\r\n"},
      {"ends the last line before a new section", "[data]\r\na=1", "graph", "g2", "3",
       "[data]\r\na=1\r\n[graph]\r\ng2=3\r\n"},
      {"replaces a last line without line end", "[data]\r\na=1", "data", "a", "2",
       "[data]\r\na=2\r\n"},
      {"writes to the first of two sections", "[d]\r\n[D]\r\na=1\r\n", "d", "a", "2",
       "[d]\r\na=2\r\n[D]\r\na=1\r\n"},
      {"writes CP932", "", "data", "r0", "2■", "[data]\r\nr0=2\x81\xA1\r\n"},
  };
  TempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto path = dir / "f.ini";
    std::filesystem::remove(path);
    if (!row.before.empty()) writeBytes(path, row.before);
    EXPECT_NE(WriteProfile(row.section, row.key, row.value, path), 0);
    EXPECT_EQ(readBytes(path), row.after);
    EXPECT_EQ(ReadProfile(row.section, row.key, path), row.value);
  }
}

TEST(ProfileWrite, RemovesAKeyAndLaterAddsAfterTheLastRemainingLine) {
  ProfileFile file("[graph]\r\ng2=1\r\n\r\ng3=2\r\n\r\n[x]\r\ny=1\r\n");
  file.remove("graph", "g3");
  file.remove("graph", "g9");
  file.remove("nosection", "g2");
  EXPECT_EQ(file.bytes(), "[graph]\r\ng2=1\r\n\r\n\r\n[x]\r\ny=1\r\n");
  file.write("graph", "g4", "5");
  EXPECT_EQ(file.bytes(), "[graph]\r\ng2=1\r\ng4=5\r\n\r\n\r\n[x]\r\ny=1\r\n");
}

TEST(ProfileWrite, FailureInAMissingDirectoryNamesThePath) {
  TempDir dir;
  const auto path = dir / "no" / "hist.log";
  EXPECT_EQ(WriteProfile("data", "a", "1", path), 0);
  try {
    ProfileFile().save(path);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // no temporary file left behind
}

TEST(ProfileWrite, AFailedReplaceKeepsWhatWasThereAndLeavesNoTemporaryFile) {
  TempDir dir;
  // A directory that holds a file cannot be replaced by a file, on any platform.
  std::filesystem::create_directories(dir / "hist.log" / "inside");
  EXPECT_THROW(ProfileFile("[data]\r\na=1\r\n").save(dir / "hist.log"), FileError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "hist.log" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The batch must leave exactly the bytes that the same writes one by one leave, on files
// with comments, blank lines, duplicates, mixed case and line ends, and with removals.
TEST(ProfileBatch, EqualsWritesOneByOne) {
  std::mt19937 rng(12345);
  auto pick = [&](std::initializer_list<const char*> options) {
    return std::string(*(options.begin() + rng() % options.size()));
  };
  TempDir dir;
  const auto path = dir / "one-by-one.ini";
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    std::string start;
    const int lines = static_cast<int>(rng() % 12);
    for (int i = 0; i < lines; ++i) {
      start += pick({"[data]", "[DATA]", "[graph]", " [x] ", "a=1", "A = 2", "g2=5", "g3=", "; c",
                     "", "  ", "b=\"q\"", "junk", "=v", "r0=1\x81\xA1"});
      start += pick({"\r\n", "\n"});
    }
    if (rng() % 3 == 0) start += pick({"a=9", "[data]", "  "});
    writeBytes(path, start);
    ProfileFile batch(start);
    const int writes = 1 + static_cast<int>(rng() % 20);
    for (int i = 0; i < writes; ++i) {
      const std::string section = pick({"data", "Data", "graph", "x", "new"});
      const std::string key = pick({"a", "A", "b", "g2", "g3", "g4", "r0"});
      ProfileWrite w{section, key, std::nullopt};
      if (rng() % 4 != 0) w.value = pick({"0", "-150", "1■", "x y"});
      batch.apply(w);
      ASSERT_NE(WriteProfile(w, path), 0);
    }
    ASSERT_EQ(batch.bytes(), readBytes(path)) << "start:\n" << start;
  }
}

}  // namespace
}  // namespace tallix
