// The Quarvel Levels Editor.
#include "app/Application.h"
#include "ui/ProgramWindows.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  CreateProgramWindows();
  application.exec();
  DestroyProgramWindows();
  return 0;
}
