#include "app/Application.h"

#include "app/ProgramIcon.h"
#include "app/ProgramTitle.h"
#include "ui/ReportError.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The title goes first, before any window exists: it names the program on the desktop.
  // The display name stays unset, or every caption would get " — Title" appended.
  setApplicationName(ProgramTitleFromPath(applicationFilePath()));
  setWindowIcon(ProgramIcon());
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportError(error);
  }
  return false;
}
