#pragma once
// The Levels Copy dialog: which levels of a file to copy, how many, and onto which level.

#include "win32/ModalForm.h"
#include "win32/SpinEdit.h"

class TForm2 : public TModalForm {
 public:
  enum : int { kButton1 = 401, kButton2 };

  explicit TForm2(HWND owner);
  ~TForm2() override;

  HWND Label1;
  TSpinEdit* SpinEdit1;  // Start from
  HWND Label2;
  TSpinEdit* SpinEdit2;  // Quantity
  HWND Label3;
  TSpinEdit* SpinEdit3;  // Insert after
  HWND Button1;          // OK
  HWND Button2;          // Cancel

 protected:
  HWND FirstFocus() override { return SpinEdit1->Editor(); }
  void Clicked(int id) override;
};

extern TForm2* Form2;
