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

// A line is numbered as an editor numbers it: every line end (LF, CRLF or CR) counts, blank
// lines and comments too; the first section and the first key of a name are the ones read.
TEST(ProfileRead, NamesTheLineOfASectionOrKey) {
  const std::string file =
      "; settings\r\n"
      "\r\n"
      "[setting]\r\n"
      "addr=&H378\r"
      ";rate1=5\n"
      "rate1 = 5\r\n"
      "noequals\r\n"
      "ADDR=second key\r\n"
      "[koyaku]\n"
      "koyaku1=8\n"
      "[Setting]\n"
      "rate2=6";
  const struct {
    const char* section;
    const char* key;  // nullptr: the section's header
    std::size_t line;
  } rows[] = {
      {"setting", nullptr, 3},   {"SETTING", "Addr", 4},     {"setting", "rate1", 6},
      {"setting", "rate2", 0},   {"setting", "noequals", 0}, {"koyaku", nullptr, 9},
      {"koyaku", "koyaku1", 10}, {"missing", nullptr, 0},    {"missing", "addr", 0},
  };
  const ProfileFile ini(file);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.section) + " " + (row.key ? row.key : "(header)"));
    EXPECT_EQ(row.key ? ini.line(row.section, row.key) : ini.line(row.section), row.line);
  }
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"setting", "koyaku", "Setting"}));
  // The lines are those of bytes(): a removed line no longer counts, a written one does.
  ProfileFile edited(file);
  edited.remove("setting", "addr");
  EXPECT_EQ(edited.line("setting", "rate1"), 5u);
  EXPECT_EQ(edited.line("setting", "addr"), 7u);
  edited.write("setting", "rate3", "7.6");
  EXPECT_EQ(edited.line("koyaku", "koyaku1"), 10u);
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
       "in_count", "7", "; c\n[Data]\nIN_COUNT=7\r\nout=2\n"},
      {"adds a key after the last key line of its section",
       "[data]\r\na=1\r\n; note\r\n\r\n[graph]\r\ng2=0\r\n", "data", "b", "2",
       "[data]\r\na=1\r\nb=2\r\n; note\r\n\r\n[graph]\r\ng2=0\r\n"},
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

// A file in UTF-16LE with its byte-order mark, from text written here in UTF-16.
std::string utf16leFile(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// Where Windows reads or writes a profile file otherwise than the plain rules would suggest
// (evidence: Wine's conformance tests and a public reverse-engineering suite, both run on real
// Windows). Each row: a file, writes made one by one, a read after them and the bytes after.
TEST(Profile, BehavesAsWindowsDoes) {
  const struct {
    const char* name;
    std::string before;
    std::vector<ProfileWrite> writes;
    const char* section;
    const char* key;
    const char* value;
    std::optional<std::string> after;  // nullopt: the file as before
  } rows[] = {
      {"CR alone ends a line", "[s]\rk=v\r[t]\rk=w", {}, "t", "k", "w", {}},
      {"a replaced key keeps the file's spelling",
       "[s]\r\nInCount=5\r\n",
       {{"s", "INCOUNT", "6"}},
       "s",
       "incount",
       "6",
       "[s]\r\nInCount=6\r\n"},
      {"spaces around the names given to a write are not stored",
       "",
       {{" v ", " sp ", " 1 "}},
       "v",
       "sp",
       "1",
       "[v]\r\nsp= 1 \r\n"},
      {"a tab given to a write is stored, and that name is not found again",
       "",
       {{"s", "\tk", "1"}, {"s", "\tk", "2"}},
       "s",
       "k",
       "1",
       "[s]\r\n\tk=1\r\n\tk=2\r\n"},
      {"the names given to a read lose their spaces", "[s]\r\nk=v\r\n", {}, " s ", " k ", "v", {}},
      {"... not their tabs", "[s]\r\nk=v\r\n", {}, "s", "\tk", "", {}},
      {"... nor a CR", "[s]\r\nk=v\r\n", {}, "s\r", "k", "", {}},
      {"a vertical tab is a blank", "\v[\vs\v]\r\n\vk\v=\vv\v\r\n", {}, "s", "k", "v", {}},
      {"... also before a comment", "[s]\r\n\v;k=v\r\n", {}, "s", ";k", "", {}},
      {"an empty key finds a =value line", "[s]\r\n=v\r\n", {}, "s", "", "v", {}},
      {"keys written with ';' go after the section's keys, newest first",
       "",
       {{"s", "z", ""}, {"s", ";y", ""}, {"s", "a", ""}, {"s", ";b", ""}, {"s", ";c", ""}},
       "s",
       ";y",
       "",
       "[s]\r\nz=\r\na=\r\n;c=\r\n;b=\r\n;y=\r\n"},
      {"a key written with ';' twice stands twice",
       "",
       {{"s", ";k", "v"}, {"s", ";k", "v"}},
       "s",
       ";k",
       "",
       "[s]\r\n;k=v\r\n;k=v\r\n"},
      {"UTF-16LE with its mark is read and written in UTF-16LE",
       utf16leFile(u"[s]\r\nk=値\r\n"),
       {{"s", "n", "■"}},
       "s",
       "k",
       "値",
       utf16leFile(u"[s]\r\nk=値\r\nn=■\r\n")},
      {"a UTF-8 mark is skipped, so the first section reads",
       "\xEF\xBB\xBF[setting]\r\naddr=&H378",
       {},
       "setting",
       "addr",
       "&H378",
       {}},
      {"a UTF-8 file keeps its mark and its encoding",
       "\xEF\xBB\xBF[s]\r\nname=値\r\n",
       {{"s", "k", "■"}},
       "s",
       "name",
       "値",
       "\xEF\xBB\xBF[s]\r\nname=値\r\nk=■\r\n"},
  };
  TempDir dir;
  const auto path = dir / "f.ini";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    writeBytes(path, row.before);
    ProfileFile batch(row.before);
    for (const ProfileWrite& w : row.writes) {
      EXPECT_NE(WriteProfile(w, path), 0);
      batch.apply(w);
    }
    EXPECT_EQ(ReadProfile(row.section, row.key, path), row.value);
    EXPECT_EQ(readBytes(path), row.after.value_or(row.before));
    EXPECT_EQ(batch.bytes(), readBytes(path));
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
// with comments, blank lines, duplicates, mixed case, every line end and byte-order mark, with
// removals, and with names that a read does not find again (";k", a tab, "a=b", "a]b"), written
// more than once, and lines that read back as more than one.
TEST(ProfileBatch, EqualsWritesOneByOne) {
  std::mt19937 rng(12345);
  auto pick = [&](std::initializer_list<const char*> options) {
    return std::string(*(options.begin() + rng() % options.size()));
  };
  TempDir dir;
  const auto path = dir / "one-by-one.ini";
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    std::string start = pick({"", "", "", "\xEF\xBB\xBF"});
    const int lines = static_cast<int>(rng() % 12);
    for (int i = 0; i < lines; ++i) {
      start +=
          pick({"[data]", "[DATA]", "[graph]", " [x] ", "[a]b]", "a=1", "A = 2", "\va=3", "g2=5",
                "g3=", "; c", "\v;k=1", "", "  ", "b=\"q\"", "junk", "=v", "r0=1\x81\xA1"});
      start += pick({"\r\n", "\n", "\r"});
    }
    if (rng() % 3 == 0) start += pick({"a=9", "[data]", "  "});
    writeBytes(path, start);
    ProfileFile batch(start);
    const int writes = 1 + static_cast<int>(rng() % 20);
    for (int i = 0; i < writes; ++i) {
      const std::string section = pick({"data", "Data", " data ", "graph", "x", "a]b", "new"});
      const std::string key =
          pick({"a", "A", " a ", "b", "g2", "g3", "g4", "r0", "", ";k", "\tk", "a=b", "[k"});
      ProfileWrite w{section, key, std::nullopt};
      if (rng() % 4 != 0) w.value = pick({"0", "-150", "1■", "x y", "1\r\n[graph]\r\ng2=7"});
      batch.apply(w);
      ASSERT_NE(WriteProfile(w, path), 0);
    }
    ASSERT_EQ(batch.bytes(), readBytes(path)) << "start:\n" << start;
  }
}

}  // namespace
}  // namespace tallix
