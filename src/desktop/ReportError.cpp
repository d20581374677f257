#include "desktop/ReportError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>
#include <new>

#include "desktop/MessageBox.h"
#include "desktop/ProgramTitle.h"
#include "files/InOutError.h"

namespace {

// A button held down when the error struck would never see its release behind the box.
void ReleaseMouseHold() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  for (QWidget* widget : QApplication::allWidgets()) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isDown()) button->setDown(false);
  }
}

}  // namespace

void ReportError(const std::exception& error) {
  ReleaseMouseHold();
  const char* message = dynamic_cast<const std::bad_alloc*>(&error) ? "Out of memory" : error.what();
  ShowMessageBox(QString::fromLocal8Bit(quarvel::WithFullStop(message)), ProgramTitle(), TMessageBoxStyle::Error);
}

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(error);
  }
}
