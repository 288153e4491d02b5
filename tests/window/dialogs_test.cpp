// The window's question box: only its two buttons answer it. Escape and the close box leave it
// open, since one of the answers (discarding a play) cannot be undone.
#include "window/dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace tallix::window {
namespace {

TEST(MessageBoxes, OnlyTheTwoButtonsAnswerAQuestion) {
  using Answer = SessionView::Answer;
  const struct {
    const char* what;
    std::function<void(QMessageBox&)> tryToEnd;
    int button;  // then pressed: 0 the first, 1 the second
    Answer answer;
  } rows[] = {
      {"Escape",
       [](QMessageBox& box) {
         QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(&box, &escape);
       },
       1, Answer::no},
      {"the close box", [](QMessageBox& box) { box.close(); }, 0, Answer::yes},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    bool stayed = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      row.tryToEnd(*box);
      stayed = box->isVisible();
      box->buttons().at(row.button)->click();
    });
    MessageBoxes boxes;
    EXPECT_EQ(
        boxes.ask(nullptr, "The play could not be saved", "Save elsewhere…", "Discard the play"),
        row.answer);
    EXPECT_TRUE(stayed);
  }
}

}  // namespace
}  // namespace tallix::window
