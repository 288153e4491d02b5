#include "pin_monitor.h"

#include <array>
#include <string>

#include "language.h"
#include "port/input_settings.h"
#include "port/watched_input.h"

namespace tallix::win32 {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 100;
constexpr int kTable = 1;

// The lines in the player's language, in the order of their keys in tallix.ini (kLineKeys),
// each shown with its key: "coin in (coin_in)".
std::wstring lineCaption(std::size_t line) {
  switch (line) {
    case 0:
      return translate("Window", "coin in");
    case 1:
      return translate("Window", "coin out");
    case 4:
      return translate("Window", "5-pin line");
    default:
      return widen(line == 2 ? "REG" : "BIG");
  }
}

std::wstring linesOf(const PinMap& map, int input) {
  std::wstring lines;
  for (std::size_t line = 0; line < kLineKeys.size(); ++line) {
    if ((map.linesOf(input) >> line & 1) == 0) continue;
    lines +=
        (lines.empty() ? L"" : L", ") + lineCaption(line) + L" (" + widen(kLineKeys[line]) + L")";
  }
  return lines;
}

}  // namespace

PinMonitor::PinMonitor(HWND owner, const WatchedInput* input)
    : ToolWindow(owner, translate("Window", "Pin monitor"), {560, 560}), input_(input) {
  waiting_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  if (input_ == nullptr) {
    SetWindowTextW(waiting_,
                   fill(translate("Window",
                                  "The pin monitor shows the inputs of the port or of the "
                                  "source named in the [input] section of tallix.ini "
                                  "(source=%1); none is read now."),
                        {narrow(translated(watchableKindNames()))})
                       .c_str());
  } else {
    SetWindowTextW(waiting_, translate("Window",
                                       "Nothing has been read from the input yet. When it cannot "
                                       "be read, the notice line beneath the panel says why; the "
                                       "input is tried again every second.")
                                 .c_str());
    table_.create(
        hwnd(), kTable,
        {translate("Window", "input"), translate("Window", "level"), translate("Window", "edges"),
         translate("Window", "last pulse"), translate("Window", "line")});
    SendMessageW(table_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    table_.setRowCount(input_->map().shownInputs());
    for (int k = 0; k < table_.rowCount(); ++k) {
      table_.setCell(k, 0, std::to_wstring(k));
      table_.setCell(k, 4, linesOf(input_->map(), k));
    }
    SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
  }
  created();
}

void PinMonitor::show() {
  if (!IsWindowVisible(hwnd())) placeOver(GetWindow(hwnd(), GW_OWNER), {560, 560});
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  refresh();
}

void PinMonitor::layout(const RECT& client) {
  const int margin = scale()(8);
  const bool waiting = input_ == nullptr || !input_->watch().seen();
  const int text = waiting ? scale()(input_ == nullptr ? 80 : 48) : 0;
  MoveWindow(waiting_, margin, margin, client.right - 2 * margin, text, TRUE);
  ShowWindow(waiting_, waiting ? SW_SHOWNA : SW_HIDE);
  if (table_.hwnd() == nullptr) return;
  const int top = margin + (waiting ? text + margin : 0);
  MoveWindow(table_.hwnd(), margin, top, client.right - 2 * margin, client.bottom - top - margin,
             TRUE);
  table_.spread();
}

void PinMonitor::refresh() {
  if (input_ == nullptr || !IsWindowVisible(hwnd())) return;
  const PinWatch& watch = input_->watch();
  if (IsWindowVisible(waiting_) == watch.seen()) {  // the input has just been read first
    RECT client;
    GetClientRect(hwnd(), &client);
    layout(client);
  }
  if (!watch.seen()) return;
  for (int k = 0; k < table_.rowCount(); ++k) {
    const auto pulse = watch.lastPulseMs(k);
    table_.setCell(k, 1, watch.high(k) ? translate("Window", "high") : translate("Window", "low"));
    table_.setCell(k, 2, std::to_wstring(watch.edges(k)));
    table_.setCell(k, 3, pulse ? std::to_wstring(*pulse) + L" ms" : std::wstring());
  }
}

std::optional<LRESULT> PinMonitor::handle(UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER && w == kRefreshTimer) {
    refresh();
    return 0;
  }
  if (message == WM_NOTIFY) return table_.notify(*reinterpret_cast<const NMHDR*>(l));
  return std::nullopt;
}

}  // namespace tallix::win32
