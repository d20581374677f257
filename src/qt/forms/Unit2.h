#pragma once
// The Levels Copy dialog: which levels of a file to copy, how many, and onto which level.

#include "qt/widgets/NoCancelDialog.h"

class QLabel;
class TButton;
class TSpinEdit;

class TForm2 : public TNoCancelDialog {
  Q_OBJECT
 public:
  TForm2();

  QLabel* Label1;
  TSpinEdit* SpinEdit1;  // Start from
  QLabel* Label2;
  TSpinEdit* SpinEdit2;  // Quantity
  QLabel* Label3;
  TSpinEdit* SpinEdit3;  // Insert after
  TButton* Button1;      // OK
  TButton* Button2;      // Cancel

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool placed_ = false;
};

extern TForm2* Form2;
