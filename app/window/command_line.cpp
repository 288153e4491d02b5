#include "command_line.h"

#include <charconv>
#include <cmath>

#include "base/numbers.h"

namespace tallix {

namespace {

constexpr std::string_view kSimulate = "--simulate";

[[noreturn]] void fail(const std::string& why) {
  throw std::invalid_argument(why);
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  bool seedGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == kSimulate) {
      c.simulateSpeed = 1;
    } else if (arg.rfind(std::string(kSimulate) + "=", 0) == 0) {
      const std::string text = arg.substr(kSimulate.size() + 1);
      double speed = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), speed);
      if (ec != std::errc() || end != text.data() + text.size() || !(speed > 0) ||
          speed > kMaxWindowSpeed) {
        fail("--simulate=SPEED needs a speed above 0 and at most " + numberText(kMaxWindowSpeed) +
             ", got \"" + text + "\"");
      }
      c.simulateSpeed = speed;
    } else if (arg == "--seed" || arg == "--machine" || arg == "--record-trace") {
      if (i + 1 >= args.size()) fail(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--seed") {
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), c.seed);
        if (ec != std::errc() || end != value.data() + value.size()) {
          fail("--seed needs a whole number, got \"" + value + "\"");
        }
        seedGiven = true;
      } else {
        (arg == "--machine" ? c.machinePath : c.recordTrace) = value;
      }
    } else {
      fail("unknown argument \"" + arg + "\"");
    }
  }
  if (!c.simulateSpeed && (seedGiven || !c.machinePath.empty())) {
    fail("--seed and --machine go with --simulate");
  }
  return c;
}

}  // namespace tallix
