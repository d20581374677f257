#pragma once
// The About box.

#include "win32/ModalForm.h"

class TForm3 : public TModalForm {
 public:
  enum : int { kButton1 = 501 };

  explicit TForm3(HWND owner);
  ~TForm3() override;

  HWND Memo1;
  HWND Button1;  // Close

  void Button1Click(HWND Sender);

  // Shows the box modally; the first time centred over `owner`, later where it was left.
  void Execute(HWND owner);

 protected:
  HWND FirstFocus() override { return Button1; }
  void Clicked(int id) override;
};

extern TForm3* Form3;
