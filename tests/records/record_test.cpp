#include "records/record.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "base/files.h"
#include "base/numbers.h"
#include "support/panel_state.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::digits;
using testing::panelState;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::filesystem::path kGolden = std::filesystem::path(TALLIX_TEST_DATA) / "records/golden";

std::unique_ptr<Counter> counterWithRates() {
  auto counter = std::make_unique<Counter>();
  Settings s;
  s.rate = {5, 6, 7.6};
  s.koyaku = {8, 10, 2};
  s.koyakuG = {30, 30, 0};
  counter->applySettings(s);
  return counter;
}

// The play kept in golden/play.log.
void setPlay(Counter& counter) {
  counter.counters() =
      Counters{1234, 1500, 3, 2, 1000, 1100, 57, 4, 412, 388, 5, 250, 266, -3, 28, 0, 12, 0, 1};
  counter.payouts().replace(std::nullopt);  // kept before payouts were counted
  Panel& p = counter.panel();
  p.setHistoryText(0, "■■■");
  p.setHistoryText(1, "■");
  p.setHistoryColour(1, kRegColour);
  p.setHistoryColour(2, kBigColour);
  for (std::size_t i = 3; i < 10; ++i) p.setHistoryColour(i, kRegColour);
  Chart& chart = p.chart();
  for (const char* value : {"-150", "-320", "41", "266"}) {
    chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
    chart.setRow(chart.rowCount());
    chart.setValue(value);
  }
}

std::string record(const std::string& data, const std::string& graph = "") {
  return utf8ToCp932("[data]\r\n" + data + (graph.empty() ? "" : "[graph]\r\n" + graph));
}

TEST(SaveRecord, WritesTheGoldenFilesByteForByte) {
  TempDir dir;
  const Counter fresh;
  SaveRecord(fresh, dir / "fresh.log");
  EXPECT_EQ(readBytes(dir / "fresh.log"), readBytes(kGolden / "fresh.log"));

  Counter counter;
  setPlay(counter);
  SaveRecord(counter, dir / "play.log");
  EXPECT_EQ(readBytes(dir / "play.log"), readBytes(kGolden / "play.log"));
  // Saving the same play again changes no byte.
  SaveRecord(counter, dir / "play.log");
  EXPECT_EQ(readBytes(dir / "play.log"), readBytes(kGolden / "play.log"));
}

TEST(LoadRecord, ReadsTheGoldenPlayAndRedrawsEveryFigure) {
  auto counter = counterWithRates();
  LoadRecord(*counter, kGolden / "play.log");
  const Counters& c = counter->counters();
  Counter expected;
  setPlay(expected);
  expected.counters().koyaku1g_now = 0;  // the redraw closes a window that had run out
  for (const CounterField& f : kRecordCounters) {
    SCOPED_TRACE(f.key);
    EXPECT_EQ(f.get(c), f.get(expected.counters()));
  }
  const Panel& p = counter->panel();
  const struct {
    TextId id;
    const char* text;
  } texts[] = {
      {TextId::temochiCoin, "516"},
      {TextId::kankin1, "¥10300"},
      {TextId::kankin2, "¥8600"},
      {TextId::kankin3, "¥6700"},
      {TextId::Text5pin, "4"},
      {TextId::bigMaxCoin, "412"},
      {TextId::bigCoin, "388"},
      {TextId::tosiKingaku, "¥5000"},
      {TextId::dedamaritsu, "121.56%"},
      {TextId::bigKakuritsu, "1/333"},
      {TextId::regKakuritsu, "1/500"},
      {TextId::koyakudata0, "12回　　1/83.33　　0G/30G"},
      {TextId::koyakudata1, "0回　　1/-　　0G/30G"},
      {TextId::koyakudata2, "1回　　1/1000.00"},
  };
  for (const auto& t : texts) {
    SCOPED_TRACE(textName(t.id));
    EXPECT_EQ(p.text(t.id).text, t.text);
  }
  EXPECT_EQ(digits(p, GroupId::bigImage), "003");
  EXPECT_EQ(digits(p, GroupId::regImage), "002");
  EXPECT_EQ(digits(p, GroupId::outImage), "001500");
  EXPECT_EQ(digits(p, GroupId::inImage), "001234");
  EXPECT_EQ(digits(p, GroupId::gameImage), "00057");
  EXPECT_EQ(digits(p, GroupId::totalImage), "01000");
  EXPECT_EQ(digits(p, GroupId::saImage), "000266");
  EXPECT_FALSE(p.saMinusVisible());
  for (std::size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(p.history(i).text, expected.panel().history(i).text);
    EXPECT_EQ(p.history(i).colour, expected.panel().history(i).colour);
  }
  EXPECT_EQ(p.chart().rows(), expected.panel().chart().rows());
}

TEST(LoadRecord, NegativeDifferenceShowsTheMinus) {
  TempDir dir;
  writeBytes(dir / "r.log", record("out_count=100\r\nin_count=300\r\n"));
  Counter counter;
  LoadRecord(counter, dir / "r.log");
  EXPECT_TRUE(counter.panel().saMinusVisible());
  EXPECT_EQ(digits(counter.panel(), GroupId::saImage), "000200");
}

TEST(SaveRecord, WritesEveryRowFromTheSecondAndKeepsTheRestOfTheFile) {
  TempDir dir;
  const auto path = dir / "player.log";
  writeBytes(path,
             "; my notes\r\n[other]\r\nkept=yes\r\n[graph]\r\nnote=x\r\ng01=7\r\n"
             "g2=1\r\ng45=9\r\nG60=9\r\n");
  Counter counter;
  Chart& chart = counter.panel().chart();
  chart.setRowCount(40);
  for (std::int16_t row = 2; row <= 40; ++row) {
    chart.setRow(row);
    chart.setValue(std::to_string(-row));
  }
  SaveRecord(counter, path);
  const ProfileFile file = ProfileFile::load(path);
  std::vector<std::string> expectedKeys = {"note", "g01", "g2"};
  for (int row = 3; row <= 40; ++row) expectedKeys.push_back(numberedKey("g", row));
  EXPECT_EQ(file.keys("graph"), expectedKeys);  // g45 and G60 are gone
  EXPECT_EQ(file.value("graph", "g40"), "-40");
  EXPECT_EQ(file.value("other", "kept"), "yes");
  EXPECT_EQ(readBytes(path).rfind("; my notes\r\n[other]\r\nkept=yes\r\n[graph]\r\n", 0), 0u);

  Counter loaded;
  LoadRecord(loaded, path);
  EXPECT_EQ(loaded.panel().chart().rows(), chart.rows());
}

TEST(SaveRecord, OneBatchEqualsTheWritesOneByOne) {
  TempDir dir;
  testing::Play play;
  for (int i = 0; i < 120; ++i) play.game(3, i % 7 == 0 ? 15 : 0);
  play.tick(testing::kBig);
  play.game(3, 15);
  for (const std::string& start : {std::string(), readBytes(kGolden / "play.log"),
                                   std::string("[graph]\r\ng9=1\r\n\r\n[data]\r\nr0=x")}) {
    writeBytes(dir / "batch.log", start);
    writeBytes(dir / "one.log", start);
    SaveRecord(play.counter, dir / "batch.log");
    const auto graphKeys = ProfileFile::load(dir / "one.log").keys("graph");
    forEachRecordWrite(play.counter, graphKeys, [&dir](const ProfileWrite& w) {
      ASSERT_NE(WriteProfile(w, dir / "one.log"), 0);
    });
    EXPECT_EQ(readBytes(dir / "batch.log"), readBytes(dir / "one.log"));
  }
}

TEST(SaveRecord, AFailedSaveNamesThePathAndLeavesNoFile) {
  TempDir dir;
  const auto path = dir / "missing" / "hist.log";
  try {
    SaveRecord(Counter(), path);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), path.string() + ": No such file or directory");
  }
}

TEST(LoadRecord, AMissingFileLoadsAsAnEmptyRecord) {
  TempDir dir;
  auto counter = counterWithRates();
  setPlay(*counter);
  counter->panel().setText(TextId::bigKakuritsu, "1/7");
  LoadRecord(*counter, dir / "none.log");
  const Panel& p = counter->panel();
  for (const CounterField& f : kRecordCounters) EXPECT_EQ(f.get(counter->counters()), 0);
  EXPECT_EQ(p.text(TextId::temochiCoin).text, "0");
  EXPECT_EQ(p.text(TextId::kankin1).text, "¥0");
  EXPECT_EQ(p.text(TextId::tosiKingaku).text, "¥0");
  EXPECT_EQ(p.text(TextId::dedamaritsu).text, "0.00%");
  EXPECT_EQ(p.text(TextId::bigKakuritsu).text, "1/-");  // no BIG: as a fresh window shows
  EXPECT_EQ(digits(p, GroupId::inImage), "000000");
  EXPECT_FALSE(p.saMinusVisible());
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(p.history(i).text, "");
  EXPECT_EQ(p.history(1).colour, kRegColour);                  // colours are left as they were
  EXPECT_EQ(p.chart().rows(), std::vector<std::string>{"0"});  // the play's points gone
}

TEST(LoadRecord, GraphPointsFollowTheStartingRowUpToTheFirstMissingKey) {
  const struct {
    const char* graph;
    std::vector<std::string> rows;
  } rows[] = {
      {"g2=5\r\ng3=-6\r\ng4=7\r\ng6=9\r\n", {"0", "5", "-6", "7"}},
      {"g2=5\r\ng3=\r\ng4=7\r\n", {"0", "5"}},
      {"g2= 1.5 \r\ng3=abc\r\ng4=12abc\r\n", {"0", "1.5", "0", "12"}},
      {"G2=3\r\n", {"0", "3"}},
  };
  TempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.graph);
    writeBytes(dir / "r.log", record("", row.graph));
    Counter counter;
    LoadRecord(counter, dir / "r.log");
    EXPECT_EQ(counter.panel().chart().rows(), row.rows);
  }
  // The points replace those of the play the chart holds, after the starting row.
  writeBytes(dir / "r.log", record("", "g2=1\r\ng3=2\r\n"));
  Counter counter;
  Chart& chart = counter.panel().chart();
  chart.setValue("7");
  chart.setRowCount(10);
  LoadRecord(counter, dir / "r.log");
  EXPECT_EQ(chart.rows(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(chart.row(), 3);
}

TEST(LoadRecord, HistoryEntriesTakeTheirKindFromTheFirstCharacter) {
  TempDir dir;
  writeBytes(dir / "r.log", record("r0=2■■\r\nr1=1■\r\nr4=1\r\nr5=3■■\r\nr6=\r\n"));
  Counter counter;
  counter.panel().setHistoryText(5, "■");
  LoadRecord(counter, dir / "r.log");
  const Panel& p = counter.panel();
  EXPECT_EQ(p.history(0).text, "■■");
  EXPECT_EQ(p.history(0).colour, kRegColour);
  EXPECT_EQ(p.history(1).text, "■");
  EXPECT_EQ(p.history(1).colour, kBigColour);
  EXPECT_EQ(p.history(4).text, "");
  EXPECT_EQ(p.history(4).colour, kBigColour);
  EXPECT_EQ(p.history(5).text, "");
  EXPECT_EQ(p.history(5).colour, kUnusedHistoryColour);
  EXPECT_EQ(p.history(6).colour, kUnusedHistoryColour);
}

TEST(LoadRecord, NumbersAreRoundedHalvesToEven) {
  TempDir dir;
  writeBytes(dir / "r.log", record("in_count=12abc\r\nkoyaku1g_now=2.5\r\nkoyaku2g_now=3.5\r\n"
                                   "out_count=&H10\r\nreg_count=-2.5\r\n"));
  Counter counter;
  LoadRecord(counter, dir / "r.log");
  EXPECT_EQ(counter.counters().in_count, 12);
  EXPECT_EQ(counter.counters().koyaku1g_now, 2);
  EXPECT_EQ(counter.counters().koyaku2g_now, 4);
  EXPECT_EQ(counter.counters().out_count, 16);
  EXPECT_EQ(counter.counters().reg_count, -2);
}

TEST(LoadRecord, AValueOutsideItsFieldRefusesTheWholeRecord) {
  TempDir dir;
  const auto path = dir / "r.log";
  writeBytes(path, record("in_count=7\r\nkoyaku1g_now=40000\r\nkoyaku2g_now=5\r\nr0=2■\r\n"));
  Counter counter;
  counter.counters().koyaku2g_now = 9;
  try {
    LoadRecord(counter, path);
    FAIL();
  } catch (const RecordError& e) {
    EXPECT_EQ(e.key(), "koyaku1g_now");
    EXPECT_EQ(e.value(), "40000");
    EXPECT_EQ(std::string(e.what()),
              path.string() + ": koyaku1g_now=40000 is outside -32768..32767");
  }
  EXPECT_EQ(counter.counters().in_count, 0);  // nothing of it applied
  EXPECT_EQ(counter.counters().koyaku2g_now, 9);
  EXPECT_EQ(counter.panel().history(0).text, "");
  EXPECT_EQ(counter.panel().text(TextId::dedamaritsu).text, "0.00%");
}

TEST(LoadRecord, FiguresThatDoNotFit32BitsEndTheLoad) {
  const struct {
    const char* data;
    const char* key;
    const char* message;
  } rows[] = {
      {"tosi_coin=2147483647\r\ntemochi_coin=1\r\n", "temochi_coin",
       "temochi_coin=1 makes tosi_coin + temochi_coin 2147483648, outside "
       "-2147483648..2147483647"},
      {"tosi_kingaku=3000000\r\n", "tosi_kingaku",
       "tosi_kingaku=3000000 makes tosi_kingaku × 1000 3000000000, outside "
       "-2147483648..2147483647"},
      {"out_count=-2147483648\r\nin_count=1\r\n", "out_count",
       "out_count=-2147483648 makes out_count − in_count -2147483649, outside "
       "-2147483648..2147483647"},
      {"out_count=-2147483648\r\n", "out_count",
       "out_count=-2147483648 makes in_count − out_count 2147483648, outside "
       "-2147483648..2147483647"},
      {"in_count=99999999999\r\n", "in_count",
       "in_count=99999999999 is outside -2147483648..2147483647"},
  };
  TempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.key);
    writeBytes(dir / "r.log", record(row.data));
    Counter counter;
    try {
      LoadRecord(counter, dir / "r.log");
      ADD_FAILURE();
    } catch (const RecordError& e) {
      EXPECT_EQ(e.key(), row.key);
      EXPECT_EQ(std::string(e.what()), (dir / "r.log").string() + ": " + row.message);
    }
  }
}

TEST(LoadRecord, AGraphPastTheChartsLimitRefusesTheWholeRecord) {
  TempDir dir;
  std::string graph;
  for (int row = 2; row <= 40000; ++row) graph += numberedKey("g", row) + "=1\r\n";
  writeBytes(dir / "r.log", record("", graph));
  Counter counter;
  try {
    LoadRecord(counter, dir / "r.log");
    FAIL();
  } catch (const RecordError& e) {
    EXPECT_EQ(e.key(), "g32768");
  }
  EXPECT_EQ(counter.panel().chart().rowCount(), 1);
}

TEST(LoadRecord, ParsingOnceEqualsReadingKeyByKey) {
  TempDir dir;
  testing::Play play;
  for (int i = 0; i < 60; ++i) play.game(3, i % 5 == 0 ? 8 : 0);
  play.tick(testing::kReg);
  SaveRecord(play.counter, dir / "r.log");
  auto once = counterWithRates();
  auto keyByKey = counterWithRates();
  LoadRecord(*once, dir / "r.log");
  LoadRecord(*keyByKey,
             readRecord(dir / "r.log", [&](std::string_view section, std::string_view key) {
               return ReadProfile(section, key, dir / "r.log");
             }));
  EXPECT_EQ(panelState(*once), panelState(*keyByKey));
  EXPECT_EQ(once->panel().chart().rowCount(), 3);
}

// Files that are no record, or whose values do not fit, are refused with the file and the key
// named; what is only odd (a cut character, overlong texts) loads.
TEST(LoadRecord, BadFilesAreRefusedNamingTheKeyOrLoad) {
  TempDir dir;
  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 256);
  const std::string huge(20, '7');
  const std::string notARecord = "is not a record: it has no [data] section";
  const struct {
    const char* what;
    std::string input;
    std::string refused;  // the error after the file's name, or "" when the file loads
  } rows[] = {
      {"empty", "", notARecord},
      {"binary", binary, notARecord},
      {"a graph without data", "[graph]\r\ng2=1E999\r\n", notARecord},
      {"a counter beyond 32 bits", "[data]\r\nin_count=" + huge + "\r\n",
       "in_count=" + huge + " is outside -2147483648..2147483647"},
      {"cut in the middle of a double-byte character", "[data]\r\nr0=1\x81", ""},
      {"overlong history and graph texts",
       "[data]\r\nr0=1" + std::string(1 << 20, 'x') +
           "\r\n[graph]\r\ng2=" + std::string(1 << 20, '-') + "\r\n",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    writeBytes(dir / "r.log", row.input);
    Counter counter;
    std::string refused;
    try {
      LoadRecord(counter, dir / "r.log");
    } catch (const std::runtime_error& e) {  // RecordError, or FileError: not a record
      refused = e.what();
    }
    EXPECT_EQ(refused, row.refused.empty() ? "" : (dir / "r.log").string() + ": " + row.refused);
  }
}

// A counter whose text is not a clean number, or a count below 0, is read as every record is
// read and named with its key, text and reading.
TEST(LoadRecord, ACounterReadAsSomethingElseIsNamed) {
  TempDir dir;
  const struct {
    const char* data;
    std::int32_t big;
    std::vector<Said> misread;
  } rows[] = {
      {"big_count=11", 11, {}},
      {"big_count=1l", 1, {"big_count=1l is not a number as written; it is read as 1"}},
      {"big_count=-3", -3, {"big_count=-3 is a count below 0"}},
      {"big_count=&HB\r\nreg_count=x",
       11,
       {"reg_count=x is not a number as written; it is read as 0"}},
      {"koyaku1g_now=-2", 0, {}},  // a countdown, not a count
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.data);
    writeBytes(dir / "r.log", std::string("[data]\r\n") + row.data + "\r\n");
    const RecordContent record = readRecord(dir / "r.log");
    EXPECT_EQ(record.counters.big_count, row.big);
    EXPECT_EQ(record.misread, row.misread);
  }
}

TEST(KeepAside, NeverOverwritesAnOlderCopy) {
  TempDir dir;
  writeBytes(dir / "hist.log.bad", "first");
  writeBytes(dir / "hist.log", "second");
  EXPECT_EQ(keepAside(dir / "hist.log"), dir / "hist.log.bad.1");
  writeBytes(dir / "hist.log", "third");
  EXPECT_EQ(keepAside(dir / "hist.log"), dir / "hist.log.bad.2");
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));
  EXPECT_EQ(readBytes(dir / "hist.log.bad"), "first");
  EXPECT_EQ(readBytes(dir / "hist.log.bad.1"), "second");
  EXPECT_EQ(readBytes(dir / "hist.log.bad.2"), "third");
  EXPECT_THROW(keepAside(dir / "hist.log"), FileError);
}

}  // namespace
}  // namespace tallix
