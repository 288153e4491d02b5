// --fullscreen on the screen of the display the tests run on: the panel covers it scaled, the
// pointer goes away while unused, a long touch opens the context menu, and the windows beside
// the panel open over it within the screen.
#include "window/full_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "design/commands.h"
#include "design/design.h"
#include "window/qt_design.h"
#include "window/window_fixture.h"

namespace tallix::testing {
namespace {

constexpr int kDeadline = 10000;  // ms for the display to answer

class FullScreenTest : public WindowTest {
 protected:
  // The window on a played panel: every digit group shows figures other than its design zeros.
  window::FrmTallix& played() {
    start();
    for (int game = 0; game < 7; ++game) {
      for (int coin = 0; coin < 3; ++coin) pulse(kCoinIn);
      pulse(kCoinOut);
      pause();
    }
    frm->render();
    return *frm;
  }
  // Covers the screen and waits until the view stands on all of it.
  void cover(window::FullScreen& view) {
    view.cover();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, kDeadline));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return view.geometry() == view.screen()->geometry(); }, kDeadline))
        << view.geometry().width() << "x" << view.geometry().height();
    QApplication::processEvents();
  }
};

// The mean difference of two pictures of one size, 0 to 255, over the three colours.
double meanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int column = 0; column < x.width(); ++column) {
      const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * x.width() * x.height());
}

// The screen's picture holds the normal window's, scaled as large as the screen takes it with
// its proportions kept and centred, the rest black: each digit group, grabbed from the screen,
// is the normal window's group scaled to the same place.
TEST_F(FullScreenTest, ThePanelIsTheNormalWindowsPictureScaledToFitTheScreen) {
  played();
  const QImage normal = frm->grab().toImage();
  window::FullScreen view(*frm);
  cover(view);
  const QImage screen = view.screen()->grabWindow(0).toImage();
  const QSize screenSize = view.screen()->geometry().size();
  ASSERT_EQ(screen.size(), screenSize);

  const double scale = std::min(double(screenSize.width()) / normal.width(),
                                double(screenSize.height()) / normal.height());
  const QPointF origin((screenSize.width() - normal.width() * scale) / 2,
                       (screenSize.height() - normal.height() * scale) / 2);
  const Panel& panel = frm->counter().panel();
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const auto id = static_cast<GroupId>(g);
    SCOPED_TRACE(groupName(id));
    QRect group;
    for (int k = 0; k < panel.group(id).size; ++k) {
      group |= window::toPixels(design::digitPlace(id, k));
    }
    // Whole pixels inside the scaled place, so that edges shared with the black do not count.
    const QRect scaled =
        QRectF(origin + QPointF(group.topLeft()) * scale, QSizeF(group.size()) * scale)
            .toAlignedRect()
            .adjusted(1, 1, -1, -1);
    const QImage expected =
        normal.copy(group).scaled(scaled.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(screen.copy(scaled), expected), 20.0);
  }
  // The bands beside or beneath the panel are black.
  const QRect fitted = QRectF(origin, QSizeF(normal.size()) * scale).toAlignedRect();
  const QRect whole(QPoint(), screenSize);
  for (const QRect& band :
       {QRect(0, 0, fitted.left() - 1, screenSize.height()),
        QRect(fitted.right() + 2, 0, screenSize.width(), screenSize.height()),
        QRect(0, 0, screenSize.width(), fitted.top() - 1),
        QRect(0, fitted.bottom() + 2, screenSize.width(), screenSize.height())}) {
    const QRect inside = band.intersected(whole);
    for (int y = inside.top(); y <= inside.bottom(); y += 7) {
      for (int x = inside.left(); x <= inside.right(); x += 7) {
        ASSERT_EQ(screen.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
      }
    }
  }
}

// The pointer is hidden after the idle time and comes back with a movement.
TEST_F(FullScreenTest, ThePointerIsHiddenWhileUnusedAndShownOnMovement) {
  start();
  window::FullScreen view(*frm, std::chrono::milliseconds(500));
  cover(view);
  const auto hidden = [] {
    return QApplication::overrideCursor() != nullptr &&
           QApplication::overrideCursor()->shape() == Qt::BlankCursor;
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_TRUE(QTest::qWaitFor(hidden, kDeadline));
    QTest::mouseMove(view.viewport(), QPoint(100 + round * 40, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hidden(); }, kDeadline));
  }
}

// A long touch (pressed and held without moving) opens the panel's context menu, with its
// commands, as a right click does.
TEST_F(FullScreenTest, ALongTouchOpensTheContextMenu) {
  start();
  window::FullScreen view(*frm);
  cover(view);
  QPointingDevice* finger = QTest::createTouchDevice();
  const QPoint at = view.viewport()->rect().center();
  // The menu runs its own event loop: it is read and closed from within it.
  QStringList commands;
  QTimer reader;
  QObject::connect(&reader, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* menu = qobject_cast<QMenu*>(w);
      if (menu == nullptr || !menu->isVisible()) continue;
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) commands << action->objectName();
      }
      menu->close();
    }
  });
  reader.start(20);
  QTest::touchEvent(view.viewport(), finger).press(0, at);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !commands.isEmpty(); }, kDeadline));
  QTest::touchEvent(view.viewport(), finger).release(0, at);
  EXPECT_TRUE(commands.contains(design::kCommands.back().name)) << commands.join(' ').toStdString();
}

// The windows beside the panel open as windows of their own over the full-screen panel, never
// past the screen's free area.
TEST_F(FullScreenTest, TheWindowsBesideThePanelOpenOverItWithinTheScreen) {
  start();
  window::FullScreen view(*frm);
  cover(view);
  const std::pair<design::CommandId, const char*> rows[] = {
      {design::CommandId::history, "frmHistory"},
      {design::CommandId::settingEstimate, "settingEstimate"},
      {design::CommandId::pinMonitor, "pinMonitor"},
  };
  const QRect free = view.screen()->availableGeometry();
  for (const auto& [command, name] : rows) {
    SCOPED_TRACE(name);
    frm->command(command);
    auto* window = frm->findChild<QWidget*>(name);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window, kDeadline));
    EXPECT_EQ(window->graphicsProxyWidget(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), view.windowHandle());
    EXPECT_TRUE(free.contains(window->frameGeometry()))
        << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    window->close();
  }
}

}  // namespace
}  // namespace tallix::testing
