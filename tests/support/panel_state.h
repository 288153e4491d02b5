// Everything a panel shows, as one comparable text, for tests that compare two panels.
#pragma once

#include <sstream>
#include <string>

#include "counting/counter.h"

namespace tallix::testing {

inline std::string panelState(const Counter& counter) {
  std::ostringstream out;
  const Panel& p = counter.panel();
  for (const CounterField& f : kRecordCounters)
    out << f.key << '=' << f.get(counter.counters()) << ';';
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextBox& t = p.text(static_cast<TextId>(i));
    out << t.text << (t.visible ? "" : "(hidden)") << ';';
  }
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    for (auto d : p.group(static_cast<GroupId>(g)).digits) out << static_cast<int>(d);
    out << ';';
  }
  out << p.saMinusVisible() << ';';
  for (std::size_t i = 0; i < 10; ++i) {
    const HistoryEntry& h = p.history(i);
    out << h.text << '/' << int(h.colour.r) << ',' << int(h.colour.g) << ',' << int(h.colour.b)
        << ';';
  }
  for (const std::string& row : p.chart().rows()) out << row << ',';
  return out.str();
}

}  // namespace tallix::testing
