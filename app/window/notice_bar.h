// The notice line (session/notices.h) in Qt: a strip of fixed height beneath the panel, outside
// it so that it never covers a figure or the chart's labels, and the window's height never
// changes with it. It shows one notice at a time, whole (wrapped over up to kLines lines), in
// the player's language, with "1/3" when more are held and a × that dismisses it.
#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "session/notices.h"

class QLabel;
class QToolButton;

namespace tallix::window {

class NoticeBar : public QWidget {
 public:
  static constexpr int kLines = 3;

  explicit NoticeBar(QWidget* parent);

  void add(const Said& text, bool passing, Notices::Topic topic = Notices::Topic::none);
  // Lets passing notices go when their time is up, and draws what changed.
  void render();

  // What the bar shows: the notice's text, "" when none.
  QString shown() const;
  // Every notice held, in the order they came, in the player's language.
  QStringList lines() const;

 private:
  Notices notices_;
  QElapsedTimer clock_;
  QLabel* text_;
  QLabel* count_;
  QToolButton* close_;
  std::optional<std::uint64_t> drawn_;  // the notices' revision last drawn
};

}  // namespace tallix::window
