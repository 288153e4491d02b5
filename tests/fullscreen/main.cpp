// The full-screen panel's tests run on a real X display (Xvfb, on the screen size the test
// command gives), so that the window, the screen and a grab of it are the platform's own.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
