#include "full_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGraphicsProxyWidget>
#include <QInputDevice>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "frm_tallix.h"

namespace tallix::window {

namespace {

// A press, move or release that a finger on a touch screen made (Qt gives it as the mouse's).
bool byTouch(const QEvent* event) {
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  return mouse->device() != nullptr &&
         mouse->device()->type() == QInputDevice::DeviceType::TouchScreen;
}

}  // namespace

FullScreen::FullScreen(FrmTallix& panel, std::chrono::milliseconds pointerIdle)
    : panel_(panel), proxy_(scene_.addWidget(&panel)) {
  setObjectName("fullScreen");
  setWindowFlag(Qt::FramelessWindowHint);
  setWindowTitle(panel.windowTitle());
  setFrameShape(QFrame::NoFrame);
  setBackgroundBrush(Qt::black);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                 QPainter::SmoothPixmapTransform);
  setScene(&scene_);
  setSceneRect(proxy_->boundingRect());

  pointerIdle_.setSingleShot(true);
  pointerIdle_.setInterval(pointerIdle);
  connect(&pointerIdle_, &QTimer::timeout, this, [this] {
    QApplication::setOverrideCursor(Qt::BlankCursor);
    pointerHidden_ = true;
  });
  pointerIdle_.start();
  qApp->installEventFilter(this);  // a movement over any of the program's windows

  longTouch_.setSingleShot(true);
  longTouch_.setInterval(kLongTouch);
  connect(&longTouch_, &QTimer::timeout, this, [this] {
    QContextMenuEvent menu(QContextMenuEvent::Other, touchedAt_,
                           viewport()->mapToGlobal(touchedAt_));
    QCoreApplication::sendEvent(viewport(), &menu);
  });
}

void FullScreen::cover() {
  // The screen's place first: without a window manager (a box started into the counter) nothing
  // else would make the window full screen.
  setGeometry(screen()->geometry());
  showFullScreen();
}

FullScreen::~FullScreen() {
  if (pointerHidden_) QApplication::restoreOverrideCursor();
  proxy_->setWidget(nullptr);  // the panel is not the scene's to delete
}

void FullScreen::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  // As large as the screen takes with the panel's proportions; the view centres it.
  const QSizeF panel = sceneRect().size();
  const qreal scale = std::min(width() / panel.width(), height() / panel.height());
  setTransform(QTransform::fromScale(scale, scale));
}

void FullScreen::closeEvent(QCloseEvent* event) {
  panel_.close();  // the panel's shutdown, as when its own window closes
  event->accept();
}

bool FullScreen::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (byTouch(event)) {
        touchedAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        longTouch_.start();
      }
      break;
    case QEvent::MouseMove:
      if (longTouch_.isActive() &&
          (static_cast<QMouseEvent*>(event)->position().toPoint() - touchedAt_).manhattanLength() >
              kTouchSlop) {
        longTouch_.stop();
      }
      break;
    case QEvent::MouseButtonRelease:
      longTouch_.stop();
      break;
    default:
      break;
  }
  return QGraphicsView::viewportEvent(event);
}

bool FullScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) showPointer();
  return QGraphicsView::eventFilter(watched, event);
}

void FullScreen::showPointer() {
  if (std::exchange(pointerHidden_, false)) QApplication::restoreOverrideCursor();
  pointerIdle_.start();
}

QWidget* shownIn(QWidget* panel) {
  const QGraphicsProxyWidget* proxy = panel->graphicsProxyWidget();
  if (proxy == nullptr || proxy->scene() == nullptr || proxy->scene()->views().isEmpty()) {
    return panel;
  }
  return proxy->scene()->views().front();
}

void showOverPanel(QWidget* window, QWidget* panel) {
  QWidget* shown = shownIn(panel);
  if (!window->isVisible()) {
    const QRect screen = shown->screen()->availableGeometry();
    const QSize wanted =
        window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QSize size = wanted.boundedTo(screen.size());
    QRect place(QPoint(), size);
    place.moveCenter(shown->frameGeometry().center());
    place.moveLeft(std::clamp(place.left(), screen.left(), screen.right() + 1 - size.width()));
    place.moveTop(std::clamp(place.top(), screen.top(), screen.bottom() + 1 - size.height()));
    window->resize(size);
    window->move(place.topLeft());
  }
  window->show();
  // Kept above the full-screen panel by the window manager.
  if (shown != panel && window->windowHandle() != nullptr) {
    window->windowHandle()->setTransientParent(shown->windowHandle());
  }
  window->raise();
  window->activateWindow();
}

}  // namespace tallix::window
