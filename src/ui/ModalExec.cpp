#include "ui/ModalExec.h"

#include <QDialog>

#include "ui/TestSeams.h"

int ExecModal(QDialog& dialog) {
  if (const auto& handler = ModalHandler()) return handler(dialog);
  return dialog.exec();
}
