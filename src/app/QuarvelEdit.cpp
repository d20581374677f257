// The Quarvel Levels Editor.
#include "app/Application.h"
#include "app/linux/DisplayCheck.h"
#include "windows/ProgramWindows.h"

int main(int argc, char** argv) {
  if (!CheckGraphicalDisplay(argv[0])) return 1;
  TApplication application(argc, argv);
  EndDisplayCheck();
  CreateProgramWindows();
  application.exec();
  DestroyProgramWindows();
  return 0;
}
