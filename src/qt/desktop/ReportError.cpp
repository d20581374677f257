#include "qt/desktop/ReportError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include "editor/ErrorReport.h"
#include "qt/desktop/MessageBox.h"
#include "qt/desktop/ProgramTitle.h"

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
  ShowMessageBox(QString::fromStdString(quarvel::ErrorReportText(error)), ProgramTitle(), TMessageBoxStyle::Error);
}

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(error);
  }
}
