// The panel on the whole screen (--fullscreen, [window] fullscreen=1): frmTallix, notice line
// included, stands in a scene that a frameless black view draws scaled to fit the screen,
// proportions kept, with bands of black where the screen's shape differs. Drawn through the
// scene, the texts are laid out at the scaled size (crisp) and the digit pictures are scaled
// smoothly; clicks, keys, tooltips and the context menu reach the panel as in its own window.
//
// For a box without a keyboard or mouse: the pointer is hidden after a while without movement
// and shown again by the next; a long touch (pressed and held without moving) opens the
// context menu as a right click does.
#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPoint>
#include <QTimer>
#include <chrono>

class QGraphicsProxyWidget;

namespace tallix::window {

class FrmTallix;

class FullScreen : public QGraphicsView {
 public:
  static constexpr std::chrono::milliseconds kPointerIdle{3000};
  static constexpr std::chrono::milliseconds kLongTouch{700};
  static constexpr int kTouchSlop = 12;  // pixels a held finger may drift

  explicit FullScreen(FrmTallix& panel, std::chrono::milliseconds pointerIdle = kPointerIdle);
  // Gives the panel back as a window of its own, unshown.
  ~FullScreen() override;

  // Shows the view over the whole screen.
  void cover();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showPointer();

  FrmTallix& panel_;
  QGraphicsScene scene_;
  QGraphicsProxyWidget* proxy_;
  QTimer pointerIdle_;
  bool pointerHidden_ = false;
  QTimer longTouch_;
  QPoint touchedAt_;  // in the viewport
};

// The kind of the windows beside the panel: windows of their own, never drawn into the
// full-screen panel's scene as its child windows would be.
inline constexpr Qt::WindowFlags kBesidePanel = Qt::Window | Qt::BypassGraphicsProxyWidget;

// The window a panel is seen in: the full-screen view that holds it, else the panel itself.
QWidget* shownIn(QWidget* panel);

// Shows a window beside the panel (history, setting estimate, pin monitor; made kBesidePanel)
// at its size within the free area of the panel's screen, centred over the panel and above it
// (also over the full-screen panel).
void showOverPanel(QWidget* window, QWidget* panel);

}  // namespace tallix::window
