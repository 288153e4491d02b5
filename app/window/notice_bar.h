// The notice line: a strip beneath the panel that says how the program runs (not counting, a
// record kept aside, a save that failed) and what a command did (saved, cleared). It lies
// outside the panel so that it never covers a figure or the chart's labels; each line has a
// close button, and passing lines go by themselves after a few seconds. The bar reports its
// height as it changes, so that the window grows and shrinks with it.
#pragma once

#include <QWidget>
#include <functional>

class QVBoxLayout;

namespace tallix::window {

class NoticeBar : public QWidget {
 public:
  static constexpr int kPassingMs = 5000;

  NoticeBar(QWidget* parent, std::function<void(int height)> resized);

  void add(const QString& text, bool passing);
  // The lines shown, top first.
  QStringList lines() const;

 private:
  void remove(QWidget* line);
  void fit();

  QVBoxLayout* layout_;
  std::function<void(int)> resized_;
};

}  // namespace tallix::window
