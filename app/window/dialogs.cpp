#include "dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tallix::window {

namespace {
const QString kFilter = QStringLiteral("*.log");
const QString kCaption = QStringLiteral("Tallix");
}  // namespace

void MessageBoxes::show(QWidget* parent, const QString& text, const QString& detail) {
  QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::Ok, parent);
  if (!detail.isEmpty()) box.setInformativeText(detail);
  box.exec();
}

SessionView::Answer MessageBoxes::ask(QWidget* parent, const QString& text, const QString& yes,
                                      const QString& no) {
  QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::NoButton, parent);
  QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
  // A box with no button of the reject role has no escape button: Escape and the close box
  // leave it open.
  QPushButton* refuse = box.addButton(no, QMessageBox::DestructiveRole);
  box.setDefaultButton(accept);
  box.exec();
  if (box.clickedButton() == accept) return SessionView::Answer::yes;
  if (box.clickedButton() == refuse) return SessionView::Answer::no;
  return SessionView::Answer::none;
}

std::string QtFileDialog::showOpen(const std::string& directory) {
  // A record may have been saved under any name: the open dialog also shows every file.
  const QString filter = kFilter + ";;" + QCoreApplication::translate("Window", "All files (*)");
  return QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(directory), filter)
      .toStdString();
}

std::string QtFileDialog::showSave(const std::string& directory) {
  QFileDialog dialog(parent_, QString(), QString::fromStdString(directory), kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension is saved as a .log, which the open dialog shows; the
  // dialog asks before it replaces a file under that name.
  dialog.setDefaultSuffix(QStringLiteral("log"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0).toStdString()
                                            : std::string();
}

}  // namespace tallix::window
