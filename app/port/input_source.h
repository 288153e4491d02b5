// The source of every kind of input (input_kinds.h): its raw input's levels go through the
// pin map and the debounce of [input] to the port byte. A device that is missing, refused or
// lost is said through the sink, and opened again every second, so counting resumes by itself
// when it comes back.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "base/say.h"
#include "pin_map.h"
#include "pin_watch.h"
#include "source.h"
#include "watched_input.h"

namespace tallix {

// Why an input cannot be read, for the player: the device, the reason and what to do.
class InputError : public SaidError {
 public:
  enum class Kind {
    other,
    // Another program holds the device: it is that program's, and a search for an input
    // passes it by without a word.
    busy,
    // The device is not there (not plugged in): a search for an input goes on to the next.
    absent,
  };
  explicit InputError(Said what, Kind kind = Kind::other)
      : SaidError(std::move(what)), kind_(kind) {}
  bool busy() const { return kind_ == Kind::busy; }
  bool absent() const { return kind_ == Kind::absent; }

 private:
  Kind kind_;
};

// The error for a device that the system refused to open or read with errno `error`; `access`
// says how to get the right to it ("join the group lp").
InputError deviceError(const Said& device, int error, const Said& access);
#ifdef _WIN32
// The same for a Windows error code (GetLastError).
InputError windowsDeviceError(const Said& device, unsigned long error, const Said& access);
#endif

// Takes the raw levels an input read, each with its time in ms of the session.
class LevelSink {
 public:
  virtual ~LevelSink() = default;
  virtual void level(std::int64_t ms, std::uint32_t raw) = 0;
};

class RawInput {
 public:
  virtual ~RawInput() = default;
  // Throws InputError.
  virtual void open(std::int64_t nowMs) = 0;
  // Hands `out` what the input read since the last call, in time order, and returns how far
  // its clock has got: nothing earlier than that is still to come. Throws InputError when
  // the input is lost.
  virtual std::int64_t read(std::int64_t nowMs, LevelSink& out) = 0;
  virtual void close() = 0;
  // What the last opening found where the input was looked for ("the serial bridge on
  // COM4"); "" for an input that the settings name.
  virtual Said found() const { return {}; }
};

class InputSource final : public Source, public WatchedInput, private LevelSink {
 public:
  static constexpr std::int64_t kRetryMs = 1000;

  InputSource(std::unique_ptr<RawInput> input, const InputSettings& settings)
      : input_(std::move(input)), mapper_(settings), map_(settings), watch_(settings.activeLow) {}
  ~InputSource() override;

  void poll(std::int64_t nowMs, ChangeSink& out) override;

  // The raw inputs as they are read, before the debounce, for the pin monitor.
  const PinWatch& watch() const override { return watch_; }
  const PinMap& map() const override { return map_; }

 private:
  void level(std::int64_t ms, std::uint32_t raw) override;
  void say(const Said& problem, ChangeSink& out);

  std::unique_ptr<RawInput> input_;
  InputMapper mapper_;
  PinMap map_;
  PinWatch watch_;
  ChangeSink* out_ = nullptr;
  bool open_ = false;
  std::int64_t retryAt_ = 0;
  bool troubled_ = false;
};

}  // namespace tallix
