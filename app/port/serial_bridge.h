// The serial bridge: a board that reads the machine's connector and speaks TLX1 over a serial
// line. Its levels are counted at the board's own times, not at their arrival, so a play that
// arrives in one burst counts exactly as the same play arriving as it happened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "input_source.h"
#include "tlx1.h"

namespace tallix {

// A serial line opened at 115200 baud 8N1. The program's one is Qt Serial Port's.
class SerialLink {
 public:
  virtual ~SerialLink() = default;
  // What arrived since the last call, without waiting; "" when nothing did. Throws InputError
  // when the device is gone.
  virtual std::string read() = 0;
  virtual void write(std::string_view bytes) = 0;
};

// Opens the named device; throws InputError naming it and the reason.
using SerialOpener = std::function<std::unique_ptr<SerialLink>(const std::string& device)>;

class SerialBridge final : public RawInput {
 public:
  // Silence for this long means the board is lost.
  static constexpr std::int64_t kSilenceMs = 3000;

  SerialBridge(std::string device, SerialOpener opener)
      : device_(std::move(device)), opener_(std::move(opener)) {}

  void open(std::int64_t nowMs) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override { link_.reset(); }

 private:
  std::string device_;
  SerialOpener opener_;
  std::unique_ptr<SerialLink> link_;
  Tlx1Splitter lines_;
  BoardClock clock_;
  std::int64_t heardAt_ = 0;   // when the last TLX1 line came
  bool babble_ = false;        // lines came since then, none of them TLX1
  std::int64_t boardNow_ = 0;  // the board's time of its last line
};

}  // namespace tallix
