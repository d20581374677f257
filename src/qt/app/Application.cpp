#include "qt/app/Application.h"

#include <QSettings>

#include "qt/app/ProgramIcon.h"
#include "qt/desktop/ProgramLook.h"
#include "qt/desktop/ProgramTitle.h"
#include "qt/desktop/ReportError.h"

namespace {

// Qt takes options of its own from the arguments it is given (-style, -reverse,
// -qwindowtitle, -name ...). The editor takes no command line, so Qt sees the program's
// name alone.
int& ProgramNameCount() {
  static int argc = 1;
  return argc;
}

char** ProgramNameOnly(char* programName) {
  static char* argv[] = {programName, nullptr};
  return argv;
}

// The editor keeps nothing between runs, and Qt's file dialog would keep its history,
// last folder and sidebar in a settings file. Settings point at a folder that cannot
// exist, so nothing is read and nothing is written.
void KeepNoSettings() {
  const QString nowhere = QStringLiteral("/dev/null");
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
      QSettings::setPath(format, scope, nowhere);
  }
}

// What has to be settled before the application object exists; passes the program name on.
char* BeforeQtStarts(char* programName) {
  KeepNoSettings();
  // A display's own scale (its DPI) is rounded to a whole factor: the classic look is made of
  // one-pixel bevels, lines and pixel-art pictures, which stay crisp only when every logical
  // pixel is a whole block of device pixels; a factor the user asks for (QT_SCALE_FACTOR,
  // QT_SCREEN_SCALE_FACTORS) still applies as given, and the grid keeps its lines even then.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  return programName;
}

}  // namespace

TApplication::TApplication(int& /*argc*/, char** argv)
    : QApplication(ProgramNameCount(), ProgramNameOnly(BeforeQtStarts(argv[0]))) {
  // The title goes first, before any window exists: it names the program on the desktop.
  // The display name stays unset, or every caption would get " — Title" appended.
  const QString title = ProgramTitleFromPath(applicationFilePath());
  SetProgramTitle(title);
  setApplicationName(title);
  setDesktopFileName(QStringLiteral(QUARVEL_APP_ID));  // the Wayland app id, the desktop entry's name
  setWindowIcon(ProgramIcon());
  ApplyProgramLook();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportError(error);
  }
  return false;
}
