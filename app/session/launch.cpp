#include "launch.h"

#include <utility>

#include "base/files.h"
#include "base/say.h"
#include "counting/tick_driver.h"

namespace tallix {

SessionEnvironment WindowStart::session(FileDialog& dialog) const {
  return {port,           machine,       &dialog, places, trace, {}, systemSerialLines(),
          settingsSample, simulatedModel};
}

Launch::Launch(const CommandLine& options)
    : serve_(options.serve), simulatedMachine_(simulatedMachineArguments(options)) {
  if (options.simulateSpeed) {
    MachineDescription machine = options.machinePath.empty()
                                     ? MachineDescription{}
                                     : loadMachine(pathOf(options.machinePath));
    machine.setting = options.setting.value_or(machine.setting);
    model_ = machine.model();
    model_->machine = options.machinePath;
    simulated_.emplace(Machine(machine, options.seed, *options.simulateSpeed));
  } else {
    kirvo_.emplace();
  }
  if (!options.recordTrace.empty()) {
    const std::int64_t sessionStart =
        appendedSessionStart(pathOf(options.recordTrace), TickDriver::kTimer2Ms);
    traceFile_.open(options.recordTrace, std::ios::binary | std::ios::app);
    if (!traceFile_) {
      throw FileError(pathOf(options.recordTrace), Say::tr("cannot be opened for writing"));
    }
    trace_.emplace(traceFile_, sessionStart);
  }
}

WindowStart Launch::windowStart(Places places, std::string settingsSample) {
  return {port(), machine(), std::move(places), trace(), std::move(settingsSample),
          serve_, model_,    simulatedMachine_};
}

}  // namespace tallix
