#pragma once
#include <QPushButton>

// A push button pressed by a click released over it, or by Space or Enter while it has
// the focus. It is never a default button: Enter in another control presses nothing.
class TButton : public QPushButton {
  Q_OBJECT
 public:
  explicit TButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
