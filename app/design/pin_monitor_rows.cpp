#include "pin_monitor_rows.h"

#include <string>

#include "port/input_settings.h"
#include "port/watched_input.h"

namespace tallix::design {

namespace {

// A line in the player's language with its key in tallix.ini: "coin in (coin_in)".
Said lineCaption(std::size_t line) {
  const std::array<Said, kLineKeys.size()> captions{Say::tr("coin in"), Say::tr("coin out"), "REG",
                                                    "BIG", Say::tr("5-pin line")};
  return Say::tr("%1 (%2)", {captions[line], kLineKeys[line]});
}

Said linesOf(const PinMap& map, int input) {
  Said lines;
  for (std::size_t line = 0; line < kLineKeys.size(); ++line) {
    if ((map.linesOf(input) >> line & 1) == 0) continue;
    lines = lines.empty() ? lineCaption(line) : Say::tr("%1, %2", {lines, lineCaption(line)});
  }
  return lines;
}

}  // namespace

PinRow pinMonitorCaptions() {
  return {Say::tr("input"), Say::tr("level"), Say::tr("edges"), Say::tr("last pulse"),
          Say::tr("line")};
}

Said pinMonitorNotice(const WatchedInput* input) {
  if (input == nullptr) {
    return Say::tr(
        "The pin monitor shows the inputs of the port or of the source named in the [input] "
        "section of tallix.ini (source=%1); none is read now.",
        {watchableKindNames()});
  }
  if (input->watch().seen()) return {};
  return Say::tr(
      "Nothing has been read from the input yet. When it cannot be read, the notice line beneath "
      "the panel says why; the input is tried again every second.");
}

std::vector<PinRow> pinMonitorRows(const WatchedInput& input) {
  const PinWatch& watch = input.watch();
  const bool seen = watch.seen();
  std::vector<PinRow> rows;
  for (int k = 0; k < input.map().shownInputs(); ++k) {
    PinRow& row = rows.emplace_back();
    row[0] = std::to_string(k);
    row[4] = linesOf(input.map(), k);
    if (!seen) continue;
    row[1] = watch.high(k) ? Say::tr("high") : Say::tr("low");
    row[2] = std::to_string(watch.edges(k));
    if (const auto pulse = watch.lastPulseMs(k)) row[3] = std::to_string(*pulse) + " ms";
  }
  return rows;
}

}  // namespace tallix::design
