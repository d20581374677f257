#pragma once
// The open and save dialogs of the main window: created once and reused, each offering
// the full name last confirmed in it.

#include <QString>

class QFileDialog;
class QWidget;

class TFileDialog {
 public:
  enum class TKind { Open, Save };
  TFileDialog(QWidget* owner, TKind kind);
  ~TFileDialog();
  TFileDialog(const TFileDialog&) = delete;
  TFileDialog& operator=(const TFileDialog&) = delete;

  // Shows the dialog; true with FileName() set to the confirmed full name, false on cancel
  // (FileName() then keeps the name last confirmed).
  bool Execute();
  QString FileName() const { return fileName_; }
  QFileDialog& Dialog() { return *dialog_; }

 private:
  QFileDialog* dialog_;
  QString fileName_;
};
