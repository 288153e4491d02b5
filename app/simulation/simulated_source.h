// The simulated machine as an input source: its changes come with the machine's own times, so
// the play counted is exactly the play the machine made (the trace tallix-sim writes for the
// same description, seed and speed), whenever the sampler gets to poll it. The command line
// picks it (tallix --simulate), not the settings, and the program hands it to the session.
#pragma once

#include "machine.h"
#include "port/source.h"

namespace tallix {

class SimulatedSource final : public Source {
 public:
  explicit SimulatedSource(Machine machine) : machine_(std::move(machine)) {}

  void poll(std::int64_t nowMs, ChangeSink& out) override {
    if (!begun_) out.push({0, machine_.byte()});  // the play began with the session
    begun_ = true;
    for (auto t = machine_.nextEventTime(); t && *t <= nowMs; t = machine_.nextEventTime()) {
      machine_.advanceTo(*t);
      out.push({*t, machine_.byte()});
    }
  }

  // For the sampling thread only while it runs.
  const Machine& machine() const { return machine_; }

 private:
  Machine machine_;
  bool begun_ = false;
};

}  // namespace tallix
