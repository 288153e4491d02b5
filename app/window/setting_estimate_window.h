// The setting estimate: a small window that shows, live, how likely each of the six settings
// of the machine is (a bar and its percentage each), the expected payout rate, the games the
// estimate rests on and the machine it is made against. What it shows is the core's
// (design::settingEstimateView); the panel opens the window with Ctrl+E or from its context menu.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "counting/counter.h"

class QLabel;
class QProgressBar;

namespace tallix::window {

class SettingEstimateWindow : public QWidget {
  Q_OBJECT

 public:
  SettingEstimateWindow(const Counter& counter, QWidget* parent);

  // Shows the estimate as it stands.
  void refresh();

 private:
  const Counter& counter_;
  std::array<QProgressBar*, kSettingCount> bars_{};
  std::array<QLabel*, kSettingCount> percents_{};
  QLabel* payoutRate_;
  QLabel* basis_;    // the games it rests on, or why there is no estimate
  QLabel* machine_;  // what it is made against
  QTimer timer_;
};

// Opens the panel's setting estimate of the counter's play (made at the first opening), or brings
// it forward.
void openSettingEstimate(QWidget& panel, const Counter& counter);

}  // namespace tallix::window
