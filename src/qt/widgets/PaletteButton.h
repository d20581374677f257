#pragma once
// A palette button: a tile picture on a push button. Above 100 % it shows its 100 % look
// enlarged pixel for pixel (nearest neighbour), bevels, picture and focus mark alike, as
// the grid beside it does; Qt would smooth the picture and draw the bevels one device
// pixel thin.
#include "qt/widgets/Button.h"

class TPaletteButton : public TButton {
  Q_OBJECT
 public:
  TPaletteButton(int tile, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
