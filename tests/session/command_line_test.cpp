#include "session/command_line.h"

#include <gtest/gtest.h>

namespace tallix {
namespace {

TEST(CommandLine, ReadsTheSimulationAndTheTrace) {
  const CommandLine none = parseCommandLine({});
  EXPECT_EQ(none.simulateSpeed, std::nullopt);
  EXPECT_EQ(none.recordTrace, "");

  const CommandLine plain = parseCommandLine({"--simulate"});
  EXPECT_EQ(plain.simulateSpeed, 1);
  EXPECT_EQ(plain.seed, 1u);
  EXPECT_EQ(plain.machinePath, "");

  const CommandLine all = parseCommandLine({"--record-trace", "s.trace", "--simulate=1.5", "--seed",
                                            "18446744073709551615", "--machine", "m.ini"});
  EXPECT_EQ(all.simulateSpeed, 1.5);
  EXPECT_EQ(all.seed, 18446744073709551615u);
  EXPECT_EQ(all.machinePath, "m.ini");
  EXPECT_EQ(all.recordTrace, "s.trace");

  EXPECT_EQ(parseCommandLine({"--simulate=2"}).simulateSpeed, 2);
  EXPECT_EQ(parseCommandLine({"--record-trace", "t"}).recordTrace, "t");

  EXPECT_EQ(none.serve, std::nullopt);
  EXPECT_EQ(parseCommandLine({"--serve"}).serve, 0);
  EXPECT_EQ(parseCommandLine({"--serve=65535"}).serve, 65535);

  EXPECT_FALSE(none.fullscreen);
  EXPECT_TRUE(parseCommandLine({"--simulate", "--fullscreen"}).fullscreen);
}

TEST(CommandLine, RefusesWhatItCannotRun) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--simulate=2.5"}, "--simulate=SPEED needs a speed above 0 and at most 2, got \"2.5\""},
      {{"--simulate=0"}, "--simulate=SPEED needs a speed above 0 and at most 2, got \"0\""},
      {{"--simulate="}, "--simulate=SPEED needs a speed above 0 and at most 2, got \"\""},
      {{"--simulate=1x"}, "--simulate=SPEED needs a speed above 0 and at most 2, got \"1x\""},
      {{"--simulate", "--seed", "-3"}, "--seed needs a whole number, got \"-3\""},
      {{"--simulate", "--machine"}, "--machine needs a value"},
      {{"--seed", "4"}, "--seed and --machine go with --simulate"},
      {{"--machine", "m.ini"}, "--seed and --machine go with --simulate"},
      {{"--simulated"}, "unknown argument \"--simulated\""},
      {{"--fullscreen=1"}, "unknown argument \"--fullscreen=1\""},
      {{"--serve=0"}, "--serve=PORT needs a port number from 1 to 65535, got \"0\""},
      {{"--serve=65536"}, "--serve=PORT needs a port number from 1 to 65535, got \"65536\""},
  };
  for (const auto& [args, message] : rows) {
    SCOPED_TRACE(args.front());
    try {
      parseCommandLine(args);
      ADD_FAILURE() << "no error";
    } catch (const CommandLineError& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

// The help names the places this system's program keeps its files in, and no other system's.
TEST(CommandLine, TheHelpNamesThisSystemsPlaces) {
  const std::string help = helpText(Places::in("dir")).english();
#ifdef _WIN32
  const char* ours = "%APPDATA%\\Tallix";
  const char* other = "XDG";
#else
  const char* ours = "$XDG_CONFIG_HOME/tallix";
  const char* other = "APPDATA";
#endif
  EXPECT_NE(help.find(ours), std::string::npos) << help;
  EXPECT_EQ(help.find(other), std::string::npos) << help;
}

// The simulated machine started from a running window: a run of its own with its own record,
// its files where this run keeps them, nothing else of this run (no second server, no trace
// written by two programs).
TEST(CommandLine, TheSimulatedMachineStartsWithThisRunsPlaces) {
  const struct {
    std::vector<std::string> run, started;
  } rows[] = {
      {{}, {"--simulate"}},
      {{"--data-dir", "d i r"}, {"--simulate", "--data-dir", "d i r"}},
      {{"--serve=8300", "--record-trace", "t.trace"}, {"--simulate"}},
      {{"--simulate=2", "--seed", "7", "--data-dir", "x"}, {"--simulate", "--data-dir", "x"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.run));
    const std::vector<std::string> started = simulatedMachineArguments(parseCommandLine(row.run));
    EXPECT_EQ(started, row.started);
    EXPECT_TRUE(parseCommandLine(started).simulateSpeed);
  }
}

}  // namespace
}  // namespace tallix
