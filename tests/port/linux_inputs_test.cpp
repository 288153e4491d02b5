// The Linux inputs through doubles of what they reach: ppdev's ioctls; GPIO on the kernel's
// gpio-sim module where the kernel has it.
#include <gtest/gtest.h>
#include <linux/parport.h>
#include <sys/ioctl.h>
// After sys/ioctl.h, whose macros it uses.
#include <linux/ppdev.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "port/linux_gpio.h"
#include "port/linux_parport.h"
#include "support/fakes.h"

namespace tallix {
namespace {

using testing::Levels;

// ppdev as the double answers it: the ioctls asked for, the registers' bytes, and errno for a
// refused open.
struct Ppdev {
  static inline std::vector<unsigned long> asked;
  static inline int openError = 0;
  static inline unsigned char data = 0, status = 0;
  static const PosixCalls& calls() {
    static const PosixCalls c{[](const char*, int) {
                                if (openError != 0) errno = openError;
                                return openError != 0 ? -1 : 7;
                              },
                              [](int, unsigned long request, void* arg) {
                                asked.push_back(request);
                                if (request == PPRDATA) *static_cast<unsigned char*>(arg) = data;
                                if (request == PPRSTATUS) {
                                  *static_cast<unsigned char*>(arg) = status;
                                }
                                return 0;
                              },
                              [](int) { return 0; }};
    return c;
  }
};

TEST(Parport, ClaimsThePortAndReadsTheRegisterAsked) {
  struct Row {
    bool statusRegister;
    std::vector<unsigned long> opening;
    unsigned long reading;
    std::uint32_t raw;  // with data 0x5A and status 0x78 (Busy low at its pin)
  } rows[] = {{false, {PPCLAIM, PPDATADIR}, PPRDATA, 0x5A}, {true, {PPCLAIM}, PPRSTATUS, 0xF8}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.statusRegister);
    Ppdev::asked.clear();
    Ppdev::openError = 0;
    Ppdev::data = 0x5A;
    Ppdev::status = 0x78;
    ParportInput input("/dev/parport0", row.statusRegister, "join the group lp", Ppdev::calls());
    input.open(0);
    EXPECT_EQ(Ppdev::asked, row.opening);
    Levels levels;
    input.read(5, levels);
    EXPECT_EQ(levels.seen, std::vector<std::uint32_t>{row.raw});
    input.close();
    EXPECT_EQ(Ppdev::asked.back(), static_cast<unsigned long>(PPRELEASE));
  }
  Ppdev::openError = EACCES;
  ParportInput refused("/dev/parport1", false, "join the group lp", Ppdev::calls());
  try {
    refused.open(0);
    FAIL() << "opened";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "/dev/parport1: permission refused (join the group lp)");
  }
}

// A chip of gpio-sim with 4 lines, made through configfs and removed afterwards.
class SimChip {
 public:
  static inline const std::filesystem::path kRoot = "/sys/kernel/config/gpio-sim/tallix-test";
  SimChip() {
    std::error_code error;
    std::filesystem::create_directories(kRoot / "bank0", error);
    if (error) return;
    put(kRoot / "bank0/num_lines", "4");
    put(kRoot / "live", "1");
    chip = get(kRoot / "bank0/chip_name");
    lines = std::filesystem::path("/sys/devices/platform") / get(kRoot / "dev_name") / chip;
  }
  ~SimChip() {
    put(kRoot / "live", "0");
    std::error_code ignored;
    std::filesystem::remove(kRoot / "bank0", ignored);
    std::filesystem::remove(kRoot, ignored);
  }
  // Pulls line k up or down, as a contact that opens or closes would.
  void pull(int k, bool up) const {
    put(lines / ("sim_gpio" + std::to_string(k)) / "pull", up ? "pull-up" : "pull-down");
  }
  std::string chip;
  std::filesystem::path lines;

 private:
  static void put(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file) << text;
  }
  static std::string get(const std::filesystem::path& file) {
    std::string text;
    std::ifstream(file) >> text;
    return text;
  }
};

TEST(Gpio, HandsOnTheLevelsAtTheOpenAndEachEdgeAfter) {
  if (!std::filesystem::exists("/sys/kernel/config/gpio-sim")) {
    GTEST_SKIP() << "the kernel's gpio-sim module is not loaded (needs configfs and "
                    "modprobe gpio-sim): the GPIO input is not tested here";
  }
  const SimChip sim;
  if (sim.chip.empty()) GTEST_SKIP() << "gpio-sim is there, but a chip cannot be made (root?)";
  GpioInput input(sim.chip, 0b11, "join the group gpio");  // lines 0 and 1
  input.open(0);
  Levels levels;
  input.read(1, levels);  // the pull-ups the input asked for hold both lines high
  sim.pull(0, false);
  sim.pull(0, true);
  sim.pull(1, false);
  EXPECT_TRUE(testing::eventually([&] {
    input.read(2, levels);
    return levels.seen.size() >= 4;
  }));
  EXPECT_EQ(levels.seen, (std::vector<std::uint32_t>{0b11, 0b10, 0b11, 0b01}));
  input.close();
}

}  // namespace
}  // namespace tallix
