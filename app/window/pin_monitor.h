// The pin monitor: a small window that shows each raw input of the session's input live (the
// port's data lines, those of the [input] source, or the simulated machine's lines): its level, its
// edges, the width of its last pulse and the line it is mapped to, so that a player wiring a
// machine finds which pin fires. The panel opens it with Ctrl+M or from its context menu; the panel
// itself is unchanged.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tallix {
class WatchedInput;
class Session;
}  // namespace tallix

namespace tallix::window {

class PinMonitor : public QWidget {
  Q_OBJECT

 public:
  // `input` is null when nothing is polled (the port could not be had, or its kind is missing).
  PinMonitor(const WatchedInput* input, QWidget* parent);

 private:
  void refresh();
  // Fills the cells with the rows' texts.
  void showRows();

  const WatchedInput* input_;
  QLabel* waiting_;  // what the monitor waits for, before the input is first read
  QTableWidget* table_;
  QTimer timer_;
};

// Opens the panel's pin monitor of the session's input (made at the first opening), or brings it
// forward.
void openPinMonitor(QWidget& panel, const Session& session);

}  // namespace tallix::window
