// The serial bridge: a board that reads the machine's connector and speaks TLX1 over a serial
// line. Its levels are counted at the board's own times, not at their arrival, so a play that
// arrives in one burst counts exactly as the same play arriving as it happened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
  // Without a device named: the line the bridge was found on.
  Said found() const override;

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

// Looks for the bridge among the serial lines that a system lists, without disturbing the
// player's other serial devices: every line is asked at the first look and again once a minute,
// a line that the list gained since the last look at once, and the line the bridge was last
// found on at every look while it opens (it is the bridge's, lost for a moment). A line is
// asked by opening it and asking its board for its state; the first that answers in TLX1
// within the wait is taken and the others are closed again. A line that another program holds
// is passed by without a word.
class BridgeSearch {
 public:
  static constexpr std::int64_t kAskAgainMs = 60'000;

  struct Refusal {
    std::string line;
    Said why;  // the InputError of its opening
  };

  // `lines`: the lines the system lists now; `opener` opens one; a board has waitMs to answer.
  BridgeSearch(std::function<std::vector<std::string>()> lines, SerialOpener opener,
               std::int64_t waitMs)
      : lines_(std::move(lines)), opener_(std::move(opener)), waitMs_(waitMs) {}

  // The bridge's line when this look finds it (what its board said while it was asked comes
  // first from it); null when not. `listChanged`: the system said that its list may have
  // changed since the last look (only then is the list read between the minutes).
  std::unique_ptr<SerialLink> look(std::int64_t nowMs, bool listChanged, const Said& access);
  // Why the listed lines that could not be opened were not, each as its last asking said.
  const std::vector<Refusal>& refused() const { return refused_; }

 private:
  // Reads the list; returns the lines new to it.
  std::vector<std::string> relist();
  std::unique_ptr<SerialLink> ask(const std::vector<std::string>& lines, const Said& access);

  std::function<std::vector<std::string>()> lines_;
  SerialOpener opener_;
  std::int64_t waitMs_;
  std::optional<std::int64_t> askedAllAt_;
  std::vector<std::string> listed_;   // the list as it was last read
  std::optional<std::string> found_;  // the line the bridge was last found on
  std::vector<Refusal> refused_;
};

// The serial lines' opener of a program: `open` for a named device, and for "" the bridge
// looked for among the lines `lines` lists (a BridgeSearch on the steady clock, each board
// given waitMs to answer). `listChanged` says whether the list may have changed since the last
// look. When no line answers it throws InputError: `noneAnswers`, and why each line that could
// not be asked was not; only `noneAnswers`, an absent() error, when every line was asked. Its
// copies share one search.
SerialOpener searchingOpener(std::function<std::vector<std::string>()> lines, SerialOpener open,
                             std::function<bool()> listChanged, std::int64_t waitMs,
                             Said noneAnswers);

// source=serial, through the program's serial lines; throws InputUnavailable where it has none.
std::unique_ptr<RawInput> makeSerialBridge(const InputRequest& request);

}  // namespace tallix
