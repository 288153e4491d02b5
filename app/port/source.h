// Input sources: where the port bytes of a session come from. A source is polled by the
// sampling thread every millisecond and hands on what it read, each byte with its time; the
// sampler keeps only the changes. A source with a clock of its own (the simulated machine, a
// board that stamps its changes) hands on its changes with its own times, however late the
// poll comes.
#pragma once

#include <cstdint>
#include <string>

#include "base/say.h"
#include "port_byte.h"

namespace tallix {

// Takes the bytes a source read, in time order.
class ChangeSink {
 public:
  virtual ~ChangeSink() = default;
  virtual void push(const Change& change) = 0;
  // Why the input cannot be read now, naming the device and what to do; "" once it reads
  // again. Said only when it changes.
  virtual void problem(const Said& text) { (void)text; }
  // What the input reads from, once it was looked for and found ("the serial bridge on
  // COM4"); said at every opening that found it.
  virtual void found(const Said& input) { (void)input; }
};

class Source {
 public:
  virtual ~Source() = default;
  // Called on the sampling thread at nowMs (ms since the session began, never going back):
  // hands `out` the byte in force now, after any changes since the last poll with their times,
  // which never go back. A polled source's times are nowMs; one with a clock of its own hands
  // on its own times, which a burst from a board can carry ahead of nowMs. May throw when the
  // input is lost; sampling then ends.
  virtual void poll(std::int64_t nowMs, ChangeSink& out) = 0;
};

}  // namespace tallix
