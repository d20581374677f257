// Starts the editor exactly as its own main() does and reports when the main window has
// first been painted (see ProbeReport.h).
#include "ProbeReport.h"
#include "qt/app/Application.h"
#include "qt/forms/ProgramWindows.h"

int main(int argc, char** argv) {
  startup_probe::Stamps stamps;
  stamps.mainEntered = startup_probe::Now();
  TApplication application(argc, argv);
  stamps.appCreated = startup_probe::Now();
  startup_probe::FirstPaintWatch watch(stamps);
  application.installEventFilter(&watch);
  CreateProgramWindows();
  stamps.windowsShown = startup_probe::Now();
  application.exec();
  return 1;  // the loop ended before the first paint
}
