#include "pin_monitor.h"

#include <string>
#include <vector>

#include "design/pin_monitor_rows.h"
#include "language.h"

namespace tallix::win32 {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 100;
constexpr int kTable = 1;

}  // namespace

PinMonitor::PinMonitor(HWND owner, const WatchedInput* input)
    : ToolWindow(owner, translate("Window", "Pin monitor"), {560, 560}), input_(input) {
  waiting_ = control(L"STATIC", translated(design::pinMonitorNotice(input_)).c_str(),
                     SS_LEFT | SS_NOPREFIX);
  if (input_ != nullptr) {
    std::vector<std::wstring> captions;
    for (const Said& caption : design::pinMonitorCaptions())
      captions.push_back(translated(caption));
    table_.create(hwnd(), kTable, captions);
    SendMessageW(table_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    table_.setRowCount(static_cast<int>(design::pinMonitorRows(*input_).size()));
    showRows();
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
  const bool waiting = !design::pinMonitorNotice(input_).empty();
  const int text = waiting ? scale()(input_ == nullptr ? 80 : 48) : 0;
  MoveWindow(waiting_, margin, margin, client.right - 2 * margin, text, TRUE);
  ShowWindow(waiting_, waiting ? SW_SHOWNA : SW_HIDE);
  if (table_.hwnd() == nullptr) return;
  const int top = margin + (waiting ? text + margin : 0);
  MoveWindow(table_.hwnd(), margin, top, client.right - 2 * margin, client.bottom - top - margin,
             TRUE);
  table_.fitToTexts();
}

void PinMonitor::refresh() {
  if (input_ == nullptr || !IsWindowVisible(hwnd())) return;
  const bool waiting = !design::pinMonitorNotice(input_).empty();
  if ((IsWindowVisible(waiting_) != FALSE) != waiting) {  // the input has just been read first
    RECT client;
    GetClientRect(hwnd(), &client);
    layout(client);
  }
  if (!waiting) showRows();
}

void PinMonitor::showRows() {
  const std::vector<design::PinRow> rows = design::pinMonitorRows(*input_);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    for (std::size_t c = 0; c < design::kPinColumns; ++c) {
      table_.setCell(static_cast<int>(k), static_cast<int>(c), translated(rows[k][c]));
    }
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
