// Frame1, the bonus history: the ten rirekiLabel bars, newest on top, with their row numbers,
// the scale captions 500, 1000 and 1500 and the four lines that mark the scale.
#pragma once

#include <QFrame>
#include <array>

#include "counting/panel.h"

namespace tallix::window {

class Caption;

class HistoryFrame : public QFrame {
 public:
  explicit HistoryFrame(QWidget* parent);
  void render(const tallix::Panel& panel);  // QFrame has a Panel of its own

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<Caption*, 10> rireki_{};  // rirekiLabel 0..9 (rireki: history)
};

}  // namespace tallix::window
