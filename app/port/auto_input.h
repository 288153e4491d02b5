// source=auto: the input that is there, so that a first start counts with nothing set. It is
// looked for at every opening, in this order: the serial bridge on a USB board the bridge runs
// on, the USB I/O board, a parallel port through ppdev (Linux), the port library (when
// [setting] addr= is set and the library started); the first that opens is read. None there:
// the opening says what was looked for and what to plug in, and is tried again a second later
// as every input is, so a board plugged in later is found. Nothing is asked that is not one of
// these: the PC's other serial devices, and a port another program holds, are left alone.
#pragma once

#include <memory>
#include <vector>

#include "input_kinds.h"
#include "input_source.h"

namespace tallix {

class AutoInput final : public RawInput {
 public:
  struct Candidate {
    Said lookedFor;  // "the USB I/O board"
    std::unique_ptr<RawInput> input;
  };

  explicit AutoInput(std::vector<Candidate> candidates) : candidates_(std::move(candidates)) {}

  void open(std::int64_t nowMs) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override;
  Said found() const override;

 private:
  std::vector<Candidate> candidates_;
  Candidate* open_ = nullptr;
};

std::unique_ptr<RawInput> makeAutoInput(const InputRequest& request);

}  // namespace tallix
