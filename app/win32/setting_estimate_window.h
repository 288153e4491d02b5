// The setting estimate of tallix.exe: a window that shows, live, how likely each of the six
// settings of the machine is (a bar and its percentage each), the expected payout rate, the
// games the estimate rests on and the machine it is made against. What it shows is the core's
// (design::settingEstimateView); the panel opens it with Ctrl+E or from its context menu.
#pragma once

#include <array>

#include "counting/counter.h"
#include "tool_window.h"

namespace tallix::win32 {

class SettingEstimateWindow : public ToolWindow {
 public:
  SettingEstimateWindow(HWND owner, const Counter& counter);
  void show();

 private:
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l) override;
  void layout(const RECT& client) override;
  void refresh();
  void paintBars();

  const Counter& counter_;
  std::array<HWND, kSettingCount> captions_{};
  std::array<HWND, kSettingCount> percents_{};
  std::array<RECT, kSettingCount> bars_{};            // where each bar stands
  std::array<std::int64_t, kSettingCount> tenths_{};  // each bar's length, of its whole
  HWND payoutRate_;
  HWND basis_;    // the games it rests on, or why there is no estimate
  HWND machine_;  // what it is made against
};

}  // namespace tallix::win32
