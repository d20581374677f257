#pragma once
// The About box.

#include <QDialog>

class QTextEdit;
class TButton;

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  TForm3();

  QTextEdit* Memo1;
  TButton* Button1;  // Close

  void Button1Click(QObject* Sender);

  // Shows the box modally; the first time centred over `owner`, later where it was left.
  void Execute(QWidget* owner);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool placed_ = false;
};

extern TForm3* Form3;
