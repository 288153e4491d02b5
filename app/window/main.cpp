// tallix, the data counter: one window, frmTallix. Its start-up is the program's start and its
// closing the program's end.
#include <QApplication>

#include "dialogs.h"
#include "frm_tallix.h"
#include "shell/files.h"
#include "shell/kirvo_binding.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Tallix");

  tallix::KirvoBinding port;
  tallix::window::MessageBoxes messages;
  tallix::window::QtFileDialog dialog;
  tallix::window::FrmTallix frmTallix({port, dialog, messages, tallix::AppDir()});
  dialog.attachTo(&frmTallix);
  if (!frmTallix.Form_Load()) return frmTallix.exitStatus();
  frmTallix.show();
  const int status = app.exec();
  return status != 0 ? status : frmTallix.exitStatus();
}
