#include "qt/forms/ProgramWindows.h"

#include "qt/desktop/x11/WindowClass.h"
#include "qt/forms/Unit1.h"
#include "qt/forms/Unit2.h"
#include "qt/forms/Unit3.h"

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
