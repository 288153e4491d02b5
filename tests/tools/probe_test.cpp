// tallix-probe as a player runs it while wiring a machine.
#include <gtest/gtest.h>

#include "support/run.h"

#ifdef TALLIX_PROBE
namespace tallix::testing {
namespace {

TEST(Probe, NamesTheInputItCannotReadAndRefusesSettingsWithoutOne) {
  TempDir dir;
  writeBytes(dir / "none.ini", "[setting]\naddr=&H378\n");
  const auto none = run(std::string(TALLIX_PROBE) + " " + (dir / "none.ini").string());
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err,
            (dir / "none.ini").string() +
                ": no [input] source to probe (source=auto, parport, serial, usbio or gpio)\n");
  const auto junk = run(std::string(TALLIX_PROBE) + " --seconds 5x " + (dir / "none.ini").string());
  EXPECT_EQ(junk.status, 2);
  EXPECT_EQ(junk.err.rfind("tallix-probe: --seconds needs a whole number of seconds from 0, got "
                           "\"5x\"\n",
                           0),
            0u)
      << junk.err;

  writeBytes(dir / "serial.ini",
             "[input]\nsource=serial\ndevice=" + (dir / "ttyNONE").string() + "\ncoin_in=9\n");
  const auto missing =
      run(std::string(TALLIX_PROBE) + " --seconds 1 " + (dir / "serial.ini").string());
  EXPECT_EQ(missing.status, 0);
  EXPECT_NE(missing.out.find("not reading: " + (dir / "ttyNONE").string() + ": not found"),
            std::string::npos)
      << missing.out;
}

}  // namespace
}  // namespace tallix::testing
#endif
