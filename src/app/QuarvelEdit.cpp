// The Quarvel Levels Editor.
#include "app/Application.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  CreateProgramWindows();
  application.exec();
  delete Form3;
  delete Form2;
  delete Form1;
  return 0;
}
