// tallix-sim, and the simulated play replayed by tallix-replay: the strongest test of the
// counter, since the simulator's ground truth is kept apart from any counting.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "base/numbers.h"
#include "base/profile.h"
#include "counting/bonuses.h"
#include "machine/machine_description.h"
#include "simulation/ground_truth.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::readBytes;
using testing::run;
using testing::TempDir;
using testing::writeBytes;

const std::string kSim = TALLIX_SIM;
const std::string kReplay = TALLIX_REPLAY;

constexpr const char* kSettings =
    "[koyaku]\r\nkoyaku1=8\r\nkoyaku2=15\r\nkoyaku3=2\r\nkoyaku1g=30\r\n"
    "[big]\r\ncount=10\r\n[data5pin]\r\nenabled=1\r\nname=RP\r\n";

class SimulatedPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(dir / "tallix.ini", kSettings);
    const auto r = run(kSim + " --seed 2024 --games 10000 --settings " + path("tallix.ini") +
                       " --trace " + path("play.trace") + " --truth " + path("truth.ini"));
    ASSERT_EQ(r.status, 0) << r.err;
    truth = ProfileFile::load(dir / "truth.ini");
  }

  std::string path(const char* name) const { return (dir / name).string(); }

  // The record that tallix-replay --save writes after counting the trace.
  ProfileFile replay(int tickMs) const {
    const std::string record = path("record.log");
    const auto r = run(kReplay + " --settings " + path("tallix.ini") + " --tick-ms " +
                       std::to_string(tickMs) + " --save " + record + " " + path("play.trace"));
    EXPECT_EQ(r.status, 0) << r.err;
    return ProfileFile::load(record);
  }

  TempDir dir;
  ProfileFile truth;
};

TEST_F(SimulatedPlay, TenThousandGamesReplayToTheirGroundTruth) {
  // The play holds every kind of event a counter must get right.
  EXPECT_EQ(truth.value("play", "games"), "10000");
  for (const char* key : {"big_count", "reg_count", "no5", "koyaku1t", "koyaku2t", "koyaku3t"}) {
    EXPECT_GT(std::stoi(truth.value("data", key)), 5) << key;
  }
  EXPECT_GT(std::stoi(truth.value("play", "free_games")), 1000);
  for (int tickMs : {1, 5, 16}) {
    SCOPED_TRACE(tickMs);
    const ProfileFile record = replay(tickMs);
    for (std::string_view key : kTruthKeys) {
      EXPECT_EQ(record.value("data", key), truth.value("data", key)) << key;
    }
  }
}

// Every bonus listed agrees with the counters of the ground truth: one row per BIG and REG,
// the best BIG's coins, run-ups adding up to the games outside bonuses; and a saved record
// lists the same bonuses.
TEST_F(SimulatedPlay, BonusesListEveryBonusAlsoFromTheSavedRecord) {
  const auto r =
      run(kReplay + " --settings " + path("tallix.ini") + " --save " + path("record.log") +
          " --bonuses " + path("bonuses.csv") + " " + path("play.trace"));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string csv = readBytes(dir / "bonuses.csv");
  ASSERT_EQ(csv.substr(0, 34), "kind,game,run_up,coins,start,end\r\n");
  std::map<std::string, int> kinds;
  int bestBig = 0, games = 0;
  for (std::size_t at = 34; at < csv.size(); at = csv.find('\n', at) + 1) {
    const std::optional<Bonus> b = parseBonusFields(csv.substr(at, csv.find('\r', at) - at));
    ASSERT_TRUE(b) << csv.substr(at, 40);
    ++kinds[b->kind == BonusKind::BIG ? "big_count" : "reg_count"];
    games += b->run_up;
    EXPECT_EQ(b->game, games);
    if (b->kind == BonusKind::BIG) bestBig = std::max(bestBig, b->coins + 10);  // [big] count
  }
  for (const auto& [key, count] : kinds) EXPECT_EQ(std::to_string(count), truth.value("data", key));
  EXPECT_EQ(std::to_string(bestBig), truth.value("data", "big_max_coin"));
  EXPECT_EQ(games + std::stoi(truth.value("data", "start_bonus_count")),
            std::stoi(truth.value("data", "start_all_count")));

  const auto loaded =
      run(kReplay + " --load " + path("record.log") + " --bonuses " + path("loaded.csv") + " -");
  ASSERT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_EQ(readBytes(dir / "loaded.csv"), csv);
}

// Six lines setting1=P .. setting6=P, P with 6 decimals: the estimate within a millionth, and
// the six adding up to exactly 1.
void expectEstimate(const std::string& out, const SettingEstimate& expected) {
  std::string lines;
  std::int64_t millionths = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const std::string prefix = "setting" + std::to_string(s + 1) + "=0.";
    const std::size_t at = out.find(prefix);
    ASSERT_NE(at, std::string::npos) << out;
    const std::string digits = out.substr(at + prefix.size(), 6);
    EXPECT_NEAR(std::stod("0." + digits), expected.probability[s], 1e-6) << out;
    millionths += std::stoll(digits);
    lines += prefix + digits + "\n";
  }
  EXPECT_EQ(out, lines);
  EXPECT_EQ(millionths, 1'000'000);
}

// tallix-replay --estimate gives the posterior of what the machine really played: from every
// payout (also once saved in a record), and from BIG, REG and the small wins for a record kept
// without them.
TEST_F(SimulatedPlay, EstimatesTheSettingFromEveryPayoutOrFromARecordWithoutThem) {
  EXPECT_EQ(truth.value("play", "setting"), "1");
  PayoutCounts counted{
      std::stoi(truth.value("counted", "big")), std::stoi(truth.value("counted", "reg")), {}};
  for (const std::string& key : truth.keys("counted")) {
    if (key != "big" && key != "reg")
      counted.games[std::stoi(key)] = std::stoi(truth.value("counted", key));
  }
  const SettingModel model = MachineDescription{}.model();
  const auto estimate = [&](const std::string& args) {
    const auto r = run(kReplay + " --settings " + path("tallix.ini") + " --estimate " + args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  };
  const SettingEstimate fromPayouts = estimateSetting(model, counted).value();
  expectEstimate(estimate("--save " + path("record.log") + " " + path("play.trace")), fromPayouts);
  expectEstimate(estimate("--load " + path("record.log") + " -"), fromPayouts);

  std::string older = readBytes(dir / "record.log");
  older.erase(older.find("[payouts]"));
  writeBytes(dir / "older.log", older);
  const auto tally = [&](const char* key) { return std::stoll(truth.value("data", key)); };
  expectEstimate(
      estimate("--load " + path("older.log") + " -"),
      estimateSetting(model, tally("start_all_count"), tally("big_count"), tally("reg_count"),
                      {{8, tally("koyaku1t")}, {15, tally("koyaku2t")}, {2, tally("koyaku3t")}})
          .value());
}

TEST_F(SimulatedPlay, PulsesAreMissedOnlyByTicksWiderThanTheShortestPulse) {
  // Relay pulses and gaps of 50 ms with 3 ms of jitter: at least 47 ms.
  EXPECT_EQ(replay(47).value("data", "in_count"), truth.value("data", "in_count"));
  EXPECT_LT(std::stoi(replay(48).value("data", "in_count")),
            std::stoi(truth.value("data", "in_count")));
}

TEST(Sim, TheSameSeedWritesTheSameTrace) {
  TempDir dir;
  const std::string a = (dir / "a").string(), b = (dir / "b").string(), c = (dir / "c").string();
  ASSERT_EQ(run(kSim + " --seed 5 --games 50 --trace " + a).status, 0);
  ASSERT_EQ(run(kSim + " --games 50 --trace " + b + " --seed 5").status, 0);
  ASSERT_EQ(run(kSim + " --seed 6 --games 50 --trace " + c).status, 0);
  const std::string trace = readBytes(dir / "a");
  EXPECT_EQ(run(kSim + " --seed 5 --games 50 --trace -").out, trace);
  EXPECT_EQ(trace.substr(0, 14), "0 255\n600 254\n");
  EXPECT_EQ(trace, readBytes(dir / "b"));
  EXPECT_NE(trace, readBytes(dir / "c"));
  // At twice the pace the same play comes in half the time.
  EXPECT_EQ(run(kSim + " --seed 5 --games 50 --speed 2 --trace -").out.substr(0, 14),
            "0 255\n300 254\n");
}

TEST(Sim, ReadsTheMachineDescriptionAndPlaysTheSettingAsked) {
  TempDir dir;
  writeBytes(dir / "m.ini",
             "[play]\nbet=1\npause_ms=200\nsetting=3\n[odds]\nbig=0\nreg=0\nreplay=0\n"
             "[setting1]\n[setting2]\n[setting3]\n[setting4]\n[setting5]\n[setting6]\nbig=2\n");
  const auto play = [&](const std::string& args) {
    EXPECT_EQ(run(kSim + " --games 20 --machine " + (dir / "m.ini").string() + " --trace " +
                  (dir / "t").string() + " --truth " + (dir / "truth.ini").string() + args)
                  .status,
              0);
    return ProfileFile::load(dir / "truth.ini");
  };
  const ProfileFile truth = play("");
  EXPECT_EQ(truth.value("play", "setting"), "3");
  EXPECT_EQ(truth.value("data", "in_count"), "20");
  EXPECT_EQ(truth.value("data", "big_count"), "0");
  EXPECT_EQ(readBytes(dir / "t").substr(0, 14), "0 255\n200 254\n");
  const ProfileFile six = play(" --setting 6");  // a BIG in every other game outside one
  EXPECT_EQ(six.value("play", "setting"), "6");
  EXPECT_EQ(six.value("data", "big_count"), "1");
}

TEST(Sim, RefusesBadArgumentsAndMachines) {
  TempDir dir;
  writeBytes(dir / "m.ini", "[play]\nbet=5\n");
  const std::string trace = " --trace " + (dir / "t").string();
  struct Row {
    std::string args;
    std::string error;
  };
  const Row rows[] = {
      {"", "tallix-sim: --trace FILE is required\n"},
      {trace + " --games 0", "tallix-sim: --games must be a whole number from 1: 0\n"},
      {trace + " --seed -1", "tallix-sim: --seed must be a whole number: -1\n"},
      {trace + " --seed 12x", "tallix-sim: --seed must be a whole number: 12x\n"},
      {trace + " --speed 0", "tallix-sim: --speed must be a number above 0: 0\n"},
      {trace + " --pace 2", "tallix-sim: unknown argument --pace\n"},
      {trace + " --setting 7", "tallix-sim: --setting must be a whole number from 1 to 6: 7\n"},
      {trace + " --truth", "tallix-sim: --truth needs a value\n"},
      {trace + " --machine " + (dir / "m.ini").string(),
       "tallix-sim: " + (dir / "m.ini").string() +
           " line 2: [play] bet=5: must be a whole number from 1 to 3\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args);
    const auto r = run(kSim + row.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, row.error.size()), row.error);
  }
  const auto unwritable = run(kSim + " --games 1 --trace " + (dir / "no" / "t").string());
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "tallix-sim: " + (dir / "no" / "t").string() + ": cannot write the trace\n");
}

}  // namespace
}  // namespace tallix
