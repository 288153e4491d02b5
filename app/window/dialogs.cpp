#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tallix::window {

namespace {
const QString kFilter = QStringLiteral("*.log");
// A record may have been saved under any name: the open dialog also shows every file.
const QString kOpenFilter = QStringLiteral("*.log;;All files (*)");
const QString kCaption = QStringLiteral("Tallix");
}  // namespace

void MessageBoxes::show(QWidget* parent, const QString& text, const QString& detail) {
  QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::Ok, parent);
  if (!detail.isEmpty()) box.setInformativeText(detail);
  box.exec();
}

bool MessageBoxes::ask(QWidget* parent, const QString& text, const QString& yes,
                       const QString& no) {
  QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::NoButton, parent);
  QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
  box.addButton(no, QMessageBox::RejectRole);
  box.setDefaultButton(accept);
  box.exec();
  return box.clickedButton() == accept;
}

std::string QtFileDialog::showOpen(const std::string& directory) {
  return QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(directory),
                                      kOpenFilter)
      .toStdString();
}

std::string QtFileDialog::showSave(const std::string& directory) {
  return QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(directory),
                                      kFilter)
      .toStdString();
}

}  // namespace tallix::window
