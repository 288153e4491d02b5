#include "auto_input.h"

#include "bridge_boards.h"
#include "serial_bridge.h"

namespace tallix {

namespace {

// How long a board is given to answer: on Linux opening a line resets an Uno or a Nano, whose
// sketch starts and says hello some 2 s later; Windows opens it without that.
constexpr std::int64_t kBoardAnswerMs = kThisPlatform == kWindows ? 300 : 2500;

// The list as the player reads it: "a, b and c".
Said listed(const std::vector<Said>& items) {
  Said list = items.front();
  for (std::size_t i = 1; i < items.size(); ++i) {
    list = i + 1 < items.size() ? Say::tr("%1, %2", {list, items[i]})
                                : Say::tr("%1 and %2", {list, items[i]});
  }
  return list;
}

}  // namespace

void AutoInput::open(std::int64_t nowMs) {
  std::vector<Said> looked, why;
  for (Candidate& c : candidates_) {
    try {
      c.input->open(nowMs);
      open_ = &c;
      return;
    } catch (const InputError& e) {
      looked.push_back(c.lookedFor);
      // Not there, or another program's: nothing to do about it. Anything else (a board the
      // system refused) is what the player must mend.
      if (!e.absent() && !e.busy()) why.push_back(e.said());
    }
  }
  why.insert(why.begin(),
             Say::tr("no input found (looked for %1): plug one in, or right-click the window and "
                     "choose \"Tallix (simulated machine)\" to try Tallix without one",
                     {listed(looked)}));
  throw InputError(joined(why));
}

std::int64_t AutoInput::read(std::int64_t nowMs, LevelSink& out) {
  return open_->input->read(nowMs, out);
}

void AutoInput::close() {
  if (open_ != nullptr) open_->input->close();
  open_ = nullptr;
}

Said AutoInput::found() const {
  if (open_ == nullptr) return {};
  const Said said = open_->input->found();
  return said.empty() ? open_->lookedFor : said;
}

std::unique_ptr<RawInput> makeAutoInput(const InputRequest& request) {
  const InputEnvironment& env = request.env;
  std::vector<AutoInput::Candidate> candidates;
  if (env.serial.open && env.serial.bridgeBoards) {
    const InputKind& serial = *findInputKind("serial");
    candidates.push_back(
        {Say::tr("the serial bridge"),
         std::make_unique<SerialBridge>(
             "", serial.access(),
             searchingOpener(
                 env.serial.bridgeBoards, env.serial.open, [] { return true; }, kBoardAnswerMs,
                 Say::tr("no USB board with the bridge sketch answers")))});
  }
  // The others through their own rows, each at its own default device.
  auto add = [&](std::string_view name, const Said& lookedFor) {
    const InputKind& kind = *findInputKind(name);
    if (kind.make == nullptr) return;
    try {
      candidates.push_back(
          {lookedFor, kind.make({request.settings, std::string(kind.device), kind.access(), env})});
    } catch (const InputUnavailable&) {  // the port library without a port address
    }
  };
  add("usbio", Say::tr("the USB I/O board"));
  add("parport", Say::tr("the parallel port %1", {std::string(findInputKind("parport")->device)}));
  if (env.port != nullptr) add("port", Say::tr("the port library"));
  return std::make_unique<AutoInput>(std::move(candidates));
}

}  // namespace tallix
