#include "qt/painting/TilePictures.h"

#include <QPainter>
#include <array>

#include "picture/TilePixels.h"

namespace TilePictures {
namespace {

using Images = std::array<QImage, kCount>;
using Pixmaps = std::array<QPixmap, kCount>;

bool InRange(int code) { return code >= 0 && code < kCount; }

// The core's pixels (fully transparent black or fully opaque), in QImage's own layout.
QImage Decode(const quarvel::Picture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width, picture.Height,
                picture.Width * int(sizeof(quarvel::Rgb)), QImage::Format_ARGB32)
      .copy();
}

const Images& AllImages() {
  static const Images images = [] {
    Images result;
    for (int i = 0; i < kCount; ++i) result[i] = Decode(quarvel::TilePicture(i));
    return result;
  }();
  return images;
}

const Pixmaps& AllPixmaps() {
  static const Pixmaps pixmaps = [] {
    Pixmaps result;
    for (int i = 0; i < kCount; ++i) result[i] = QPixmap::fromImage(AllImages()[i]);
    return result;
  }();
  return pixmaps;
}

}  // namespace

const QImage& Image(int code) {
  static const QImage none;
  return InRange(code) ? AllImages()[code] : none;
}

const QPixmap& Pixmap(int code) {
  static const QPixmap none;
  return InRange(code) ? AllPixmaps()[code] : none;
}

void Draw(QPainter& canvas, QPoint topLeft, int code) {
  // The empty tile's picture is transparent throughout: drawing it would change no pixel.
  if (!InRange(code) || code == 0) return;
  canvas.drawPixmap(topLeft, AllPixmaps()[code]);
}

}  // namespace TilePictures
