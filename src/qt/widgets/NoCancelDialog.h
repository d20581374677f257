#pragma once
#include <QDialog>

// A modal dialog with no cancel button bound to Escape: Escape leaves it open, as on the
// Levels Copy dialog and the About box. The window manager's close (Alt+F4) still cancels.
class TNoCancelDialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
