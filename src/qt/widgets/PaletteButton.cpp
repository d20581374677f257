#include "qt/widgets/PaletteButton.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "editor/GridCells.h"
#include "qt/painting/TilePictures.h"

TPaletteButton::TPaletteButton(int tile, QWidget* parent) : TButton(QString(), parent) {
  setIcon(QIcon(TilePictures::Pixmap(tile)));
  setIconSize(QSize(TilePictures::kSize, TilePictures::kSize));
  setAccessibleName(QString::fromStdString(quarvel::CellName(tile)));
}

void TPaletteButton::paintEvent(QPaintEvent* event) {
  if (devicePixelRatioF() == 1.0) {
    TButton::paintEvent(event);
    return;
  }
  QImage look(size(), QImage::Format_ARGB32_Premultiplied);
  look.fill(palette().color(QPalette::Button));
  {
    QStylePainter canvas(&look, this);
    QStyleOptionButton option;
    initStyleOption(&option);
    canvas.drawControl(QStyle::CE_PushButton, option);
  }
  QPainter painter(this);  // no smoothing: each pixel of the look becomes a block
  painter.drawImage(rect(), look);
}
