#include "qt/widgets/NoCancelDialog.h"

#include <QKeyEvent>

void TNoCancelDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
