// The serial bridge's COM port on Windows: the names device= takes, and what a name that is no
// COM port's, or a port that is not there, says.
#include "port/win_serial.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "port/input_source.h"

namespace tallix {
namespace {

TEST(ComPort, TakesThePortsNameInAnyCaseOrItsDevicePath) {
  const struct {
    const char* device;
    std::optional<std::string> path;
  } rows[] = {
      {"COM3", R"(\\.\COM3)"},        {"com12", R"(\\.\COM12)"}, {R"(\\.\COM12)", R"(\\.\COM12)"},
      {R"(\\.\cOm7)", R"(\\.\COM7)"}, {"COM03", R"(\\.\COM3)"},  {"COM4096", R"(\\.\COM4096)"},
      {"COM", std::nullopt},          {"COM0", std::nullopt},    {"COM4097", std::nullopt},
      {"COM-3", std::nullopt},        {"COM 3", std::nullopt},   {"COM3x", std::nullopt},
      {"LPT1", std::nullopt},         {R"(\\.\)", std::nullopt}, {R"(\\?\COM3)", std::nullopt},
      {"/dev/ttyACM0", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.device);
    EXPECT_EQ(comPortPath(row.device), row.path);
    if (row.path) continue;
    try {
      openComPort(row.device, "close it");
      ADD_FAILURE() << "opened";
    } catch (const InputError& e) {
      EXPECT_EQ(e.what(),
                std::string(row.device) +
                    R"x(: not a COM port (device= takes COM3 or \\.\COM12: the port that )x"
                    R"x(Device Manager lists under "Ports (COM & LPT)"))x");
    }
  }
  try {
    openComPort("com199", "close it");
    ADD_FAILURE() << "opened";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 R"x(com199: no such COM port (is the board plugged in? Device Manager lists )x"
                 R"x(its port under "Ports (COM & LPT)"))x");
  }
}

}  // namespace
}  // namespace tallix
