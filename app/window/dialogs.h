// The dialogs of the window: message boxes and the record file dialog. The window reaches them
// through these interfaces so that tests can give doubles that never block.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "records/commands.h"
#include "session/session.h"

namespace tallix::window {

// Messages to the player.
class Messages {
 public:
  virtual ~Messages() = default;
  // A message with an OK button only and the program's title as caption; `detail`, when not
  // empty, stands beneath the text. Returns when the player has dismissed it.
  virtual void show(QWidget* parent, const QString& text, const QString& detail = {}) = 0;
  // A question with two buttons, and which of them the player pressed (none when the question
  // ended without either).
  virtual SessionView::Answer ask(QWidget* parent, const QString& text, const QString& yes,
                                  const QString& no) = 0;
};

class MessageBoxes : public Messages {
 public:
  void show(QWidget* parent, const QString& text, const QString& detail) override;
  // Only the two buttons end the question: Escape and the close box do nothing, since `no` may
  // be what cannot be undone.
  SessionView::Answer ask(QWidget* parent, const QString& text, const QString& yes,
                          const QString& no) override;
};

// The open and save dialogs of the Load and Save buttons: filter "*.log", shown over the
// window once it is attached. The save dialog gives a name typed without an extension ".log".
class QtFileDialog : public FileDialog {
 public:
  void attachTo(QWidget* parent) { parent_ = parent; }
  std::string showOpen(const std::string& directory) override;
  std::string showSave(const std::string& directory) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tallix::window
