#pragma once
// The ten 20 x 20 tile pictures as Qt images with their transparency, picture i for tile code i,
// made from the core's pixels (picture/TilePixels.h).

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "picture/TilePixels.h"

class QPainter;

namespace TilePictures {

constexpr int kCount = quarvel::kTileCount;
constexpr int kSize = quarvel::kTilePictureSize;

// The picture of tile code `code` (0..9) as ARGB32 with fully transparent or fully opaque
// pixels; a null image for any other code.
const QImage& Image(int code);
const QPixmap& Pixmap(int code);

// Draws the picture of `code` with its top-left corner at `topLeft`, through its mask.
// A code outside 0..9 draws nothing and fails nothing.
void Draw(QPainter& canvas, QPoint topLeft, int code);

}  // namespace TilePictures
