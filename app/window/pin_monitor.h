// The pin monitor: a small window that shows each raw input of the session's input live (the
// port's data lines, or those of the [input] source): its level, its edges, the width of its
// last pulse and the line it is mapped to, so that a player wiring a machine finds which pin
// fires. The panel opens it with Ctrl+M or from its
// context menu; the panel itself is unchanged.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tallix {
class InputSource;
class Session;
}  // namespace tallix

namespace tallix::window {

class PinMonitor : public QWidget {
  Q_OBJECT

 public:
  // `input` is null when the program reads no [input] source.
  PinMonitor(const InputSource* input, QWidget* parent);

 private:
  void refresh();

  const InputSource* input_;
  QLabel* waiting_;  // what the monitor waits for, before the input is first read
  QTableWidget* table_;
  QTimer timer_;
};

// Gives the panel its shortcut and context-menu entry that open the session's pin monitor.
void addPinMonitor(QWidget& panel, const Session& session);

}  // namespace tallix::window
