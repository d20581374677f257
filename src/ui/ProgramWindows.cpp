#include "ui/ProgramWindows.h"

#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/WindowClass.h"

void CreateProgramWindows() {
  KeepWindowClassAsTitle();
  Form1 = new TForm1();
  Form2 = new TForm2();
  Form3 = new TForm3();
  Form1->show();
}

void DestroyProgramWindows() {
  delete Form3;
  Form3 = nullptr;
  delete Form2;
  Form2 = nullptr;
  delete Form1;
  Form1 = nullptr;
}
