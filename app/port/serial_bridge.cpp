#include "serial_bridge.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "base/say.h"

namespace tallix {

namespace {

// The line found where the board was looked for; what was read from it while it was asked
// comes first.
class HeardLink final : public SerialLink {
 public:
  HeardLink(std::string line, std::unique_ptr<SerialLink> link, std::string heard)
      : line_(std::move(line)), link_(std::move(link)), heard_(std::move(heard)) {}
  std::string read() override { return std::exchange(heard_, {}) + link_->read(); }
  void write(std::string_view bytes) override { link_->write(bytes); }
  std::string line() const override { return line_; }

 private:
  std::string line_;
  std::unique_ptr<SerialLink> link_;
  std::string heard_;
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::ranges::find(lines, line) != lines.end();
}

}  // namespace

Said SerialBridge::name() const {
  if (!device_.empty()) return device_;
  return link_ && !link_->line().empty() ? found() : Say::tr("the serial bridge");
}

Said SerialBridge::found() const {
  if (!device_.empty() || !link_) return {};
  return Say::tr("the serial bridge on %1", {link_->line()});
}

void SerialBridge::open(std::int64_t nowMs) {
  std::unique_ptr<SerialLink> link = opener_(device_, access_);
  link->write("?\n");  // the board's state, at once
  link_ = std::move(link);
  lines_.clear();
  clock_.reset();
  heardAt_ = nowMs;
  babble_ = false;
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
                          {name()})
                : Say::tr("%1: no word from the board for 3 s (unplugged?)", {name()}));
  }
  return boardNow_;
}

std::unique_ptr<SerialLink> BridgeSearch::look(std::int64_t nowMs, bool listChanged,
                                               const Said& access) {
  const bool all = !askedAllAt_ || nowMs - *askedAllAt_ >= kAskAgainMs;
  std::vector<std::string> asked;
  if (all || listChanged) asked = relist();
  if (all) {
    askedAllAt_ = nowMs;
    asked = listed_;
  }
  if (found_ && !contains(asked, *found_)) asked.insert(asked.begin(), *found_);
  return ask(asked, access);
}

std::vector<std::string> BridgeSearch::relist() {
  std::vector<std::string> now = lines_(), added;
  for (const std::string& line : now) {
    if (!contains(listed_, line)) added.push_back(line);
  }
  std::erase_if(refused_, [&](const Refusal& r) { return !contains(now, r.line); });
  if (found_ && !contains(now, *found_)) found_.reset();
  listed_ = std::move(now);
  return added;
}

std::unique_ptr<SerialLink> BridgeSearch::ask(const std::vector<std::string>& lines,
                                              const Said& access) {
  struct Candidate {
    std::string line;
    std::unique_ptr<SerialLink> link;
    std::string heard;
    Tlx1Splitter splitter;
  };
  std::erase_if(refused_, [&](const Refusal& r) { return contains(lines, r.line); });
  std::vector<Candidate> candidates;
  for (const std::string& line : lines) {
    try {
      std::unique_ptr<SerialLink> link = opener_(line, access);
      link->write("?\n");
      candidates.push_back({line, std::move(link), {}, {}});
    } catch (const InputError& e) {
      if (line == found_) found_.reset();  // asked again with the others
      if (!e.busy()) refused_.push_back({line, e.said()});
    }
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs_);
  while (!candidates.empty()) {
    for (auto c = candidates.begin(); c != candidates.end();) {
      try {
        const std::string bytes = c->link->read();
        c->heard += bytes;
        c->splitter.feed(bytes);
        while (const auto text = c->splitter.next()) {
          if (parseTlx1Line(*text)) {
            found_ = c->line;
            return std::make_unique<HeardLink>(c->line, std::move(c->link), std::move(c->heard));
          }
        }
        ++c;
      } catch (const InputError&) {  // gone while it was asked
        c = candidates.erase(c);
      }
    }
    if (std::chrono::steady_clock::now() >= until) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

SerialOpener searchingOpener(std::function<std::vector<std::string>()> lines, SerialOpener open,
                             std::function<bool()> listChanged, std::int64_t waitMs,
                             Said noneAnswers) {
  struct Search {
    BridgeSearch search;
    std::function<bool()> listChanged;
    Said noneAnswers;
  };
  auto shared = std::make_shared<Search>(Search{BridgeSearch(std::move(lines), open, waitMs),
                                                std::move(listChanged), std::move(noneAnswers)});
  return
      [shared, open](const std::string& device, const Said& access) -> std::unique_ptr<SerialLink> {
        if (!device.empty()) return open(device, access);
        const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        if (auto link = shared->search.look(now.count(), shared->listChanged(), access))
          return link;
        // Only the lines that could not be asked are worth a word beyond the search's own.
        std::vector<Said> why = {shared->noneAnswers};
        for (const BridgeSearch::Refusal& r : shared->search.refused()) why.push_back(r.why);
        throw InputError(joined(why),
                         why.size() == 1 ? InputError::Kind::absent : InputError::Kind::other);
      };
}

std::unique_ptr<RawInput> makeSerialBridge(const InputRequest& request) {
  if (!request.env.serial.open) {
    throw InputUnavailable(Say::tr("This program has no serial bridge"));
  }
  return std::make_unique<SerialBridge>(request.device, request.access, request.env.serial.open);
}

}  // namespace tallix
