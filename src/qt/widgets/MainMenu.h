#pragma once
// The main window's menu bar: the line under it drawn whole at any scale, and F10 handing
// it the keyboard as Alt does.

#include <QMenuBar>

class TMainMenu : public QMenuBar {
  Q_OBJECT
 public:
  explicit TMainMenu(QWidget* parent);

  // Gives the menu bar the keyboard, its first menu highlighted, or takes it back when it
  // has it: what a press and release of Alt does.
  void ToggleKeyboard();

 protected:
  void paintEvent(QPaintEvent* event) override;
};
