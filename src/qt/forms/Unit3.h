#pragma once
// The About box.

#include "qt/widgets/NoCancelDialog.h"

class QTextEdit;
class TButton;

class TForm3 : public TNoCancelDialog {
  Q_OBJECT
 public:
  TForm3();

  QTextEdit* Memo1;
  TButton* Button1;  // Close

  void Button1Click(QObject* Sender);

  // Shows the box modally; the first time centred over `owner`, later where it was left.
  void Execute(QWidget* owner);

 private:
  bool placed_ = false;
};

extern TForm3* Form3;
