#include "launch.h"

#include "base/files.h"
#include "base/say.h"
#include "counting/tick_driver.h"

namespace tallix {

Launch::Launch(const CommandLine& options) {
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

}  // namespace tallix
