#pragma once
// The open and save dialogs of the main window: each is built on first use and then
// reused, offering the full name last confirmed in it. Building one costs more than the
// rest of the main window, so it is not done at start-up.

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
  QFileDialog& Dialog();

 private:
  QWidget* owner_;
  TKind kind_;
  QFileDialog* dialog_ = nullptr;
  QString fileName_;
  bool placed_ = false;  // shown before: opens where it was left
};
