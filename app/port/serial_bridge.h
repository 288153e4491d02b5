// The serial bridge: a board that reads the machine's connector and speaks TLX1 over a serial
// line. Its levels are counted at the board's own times, not at their arrival, so a play that
// arrives in one burst counts exactly as the same play arriving as it happened.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "input_kinds.h"
#include "input_source.h"
#include "serial_link.h"
#include "tlx1.h"

namespace tallix {

class SerialBridge final : public RawInput {
 public:
  // Silence for this long means the board is lost.
  static constexpr std::int64_t kSilenceMs = 3000;

  // `access`: what the player must do to be let at the device.
  SerialBridge(std::string device, Said access, SerialOpener opener)
      : device_(std::move(device)), access_(std::move(access)), opener_(std::move(opener)) {}

  void open(std::int64_t nowMs) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override { link_.reset(); }

 private:
  // The device in messages: as named, or what it is when it was found.
  Said name() const;

  std::string device_;
  Said access_;
  SerialOpener opener_;
  std::unique_ptr<SerialLink> link_;
  Tlx1Splitter lines_;
  BoardClock clock_;
  std::int64_t heardAt_ = 0;   // when the last TLX1 line came
  bool babble_ = false;        // lines came since then, none of them TLX1
  std::int64_t boardNow_ = 0;  // the board's time of its last line
};

// Of the serial lines `devices`, the first whose board answers in TLX1 within waitMs: each is
// opened with `opener` and asked for its state at once, and the others are closed again. What
// the board said while it was looked for comes first from the line returned. Null when none
// answers; why those that could not be opened were not is added to `refused`.
std::unique_ptr<SerialLink> firstBridge(const std::vector<std::string>& devices,
                                        const SerialOpener& opener, const Said& access,
                                        std::int64_t waitMs, std::vector<Said>& refused);

// source=serial, through the program's serial lines; throws InputUnavailable where it has none.
std::unique_ptr<RawInput> makeSerialBridge(const InputRequest& request);

}  // namespace tallix
