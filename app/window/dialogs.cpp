#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tallix::window {

namespace {
const QString kFilter = QStringLiteral("*.log");
}

void MessageBoxes::show(QWidget* parent, const QString& text, const QString& detail) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  if (!detail.isEmpty()) box.setInformativeText(detail);
  box.exec();
}

std::string QtFileDialog::showOpen(const std::string& directory) {
  return QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(directory),
                                      kFilter)
      .toStdString();
}

std::string QtFileDialog::showSave(const std::string& directory) {
  return QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(directory),
                                      kFilter)
      .toStdString();
}

}  // namespace tallix::window
