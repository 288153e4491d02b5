// The simulated machine as an input source: its changes come with the machine's own times, so
// the play counted is exactly the play the machine made (the trace tallix-sim writes for the
// same description, seed and speed), whenever the sampler gets to poll it. The command line
// picks it (tallix --simulate), not the settings, and the program hands it to the session.
#pragma once

#include "machine.h"
#include "port/input_settings.h"
#include "port/source.h"
#include "port/watched_input.h"

namespace tallix {

class SimulatedSource final : public Source, public WatchedInput {
 public:
  explicit SimulatedSource(Machine machine) : machine_(std::move(machine)) {}

  void poll(std::int64_t nowMs, ChangeSink& out) override {
    if (!begun_) hand({0, machine_.byte()}, out);  // the play began with the session
    begun_ = true;
    for (auto t = machine_.nextEventTime(); t && *t <= nowMs; t = machine_.nextEventTime()) {
      machine_.advanceTo(*t);
      hand({*t, machine_.byte()}, out);
    }
  }

  // For the sampling thread only while it runs.
  const Machine& machine() const { return machine_; }
  // The machine's lines as the pin monitor shows them: the bits of the port byte, as the port
  // reads a machine wired to it.
  const PinWatch& watch() const override { return watch_; }
  const PinMap& map() const override { return map_; }

 private:
  void hand(const Change& change, ChangeSink& out) {
    watch_.level(change.ms, change.byte);
    out.push(change);
  }
  static InputSettings asRead() {
    InputSettings settings;
    settings.asRead = true;
    return settings;
  }

  Machine machine_;
  bool begun_ = false;
  PinWatch watch_{true};  // the port byte's lines are active low
  PinMap map_{asRead()};
};

}  // namespace tallix
