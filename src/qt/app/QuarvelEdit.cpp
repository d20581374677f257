// The Quarvel Levels Editor.
#include "qt/app/Application.h"
#include "qt/app/linux/DisplayCheck.h"
#include "qt/forms/ProgramWindows.h"

int main(int argc, char** argv) {
  if (!CheckGraphicalDisplay(argv[0])) return 1;
  TApplication application(argc, argv);
  EndDisplayCheck();
  CreateProgramWindows();
  application.exec();
  DestroyProgramWindows();
  return 0;
}
