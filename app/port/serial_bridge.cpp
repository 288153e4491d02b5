#include "serial_bridge.h"

#include <algorithm>

#include "base/say.h"

namespace tallix {

void SerialBridge::open(std::int64_t nowMs) {
  link_ = opener_(device_, access_);
  lines_.clear();
  clock_.reset();
  heardAt_ = nowMs;
  babble_ = false;
  link_->write("?\n");
}

std::int64_t SerialBridge::read(std::int64_t nowMs, LevelSink& out) {
  lines_.feed(link_->read());
  while (const auto text = lines_.next()) {
    const auto line = parseTlx1Line(*text);
    if (!line) {
      babble_ = true;
      continue;
    }
    heardAt_ = nowMs;
    babble_ = false;
    if (line->kind == Tlx1Line::Kind::hello) {
      clock_.reset();  // the board started again: its clock began anew
      continue;
    }
    // The first time after a start is taken as now, but never before what was counted.
    boardNow_ = std::max(clock_.at(line->ms, std::max(nowMs, boardNow_)), boardNow_);
    out.level(boardNow_, line->levels);
  }
  if (nowMs - heardAt_ >= kSilenceMs) {
    throw InputError(
        babble_ ? Say::tr("%1: the board does not speak TLX1 (check the sketch and the baud "
                          "rate, 115200)",
                          {device_})
                : Say::tr("%1: no word from the board for 3 s (unplugged?)", {device_}));
  }
  return boardNow_;
}

std::unique_ptr<RawInput> makeSerialBridge(const InputRequest& request) {
  if (!request.env.serial) throw InputUnavailable(Say::tr("This program has no serial bridge"));
  return std::make_unique<SerialBridge>(request.device, request.access, request.env.serial);
}

}  // namespace tallix
