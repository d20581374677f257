#include "painting/TilePictures.h"

#include <QPainter>
#include <array>

// The pixel art lives in pictures/*.xpm, one character per pixel, "." transparent.
#include "painting/pictures/tile0_empty.xpm"
#include "painting/pictures/tile1_red.xpm"
#include "painting/pictures/tile2_green.xpm"
#include "painting/pictures/tile3_blue.xpm"
#include "painting/pictures/tile4_yellow.xpm"
#include "painting/pictures/tile5_gray.xpm"
#include "painting/pictures/tile6_cannon_up.xpm"
#include "painting/pictures/tile7_cannon_right.xpm"
#include "painting/pictures/tile8_cannon_down.xpm"
#include "painting/pictures/tile9_cannon_left.xpm"

namespace TilePictures {
namespace {

using Images = std::array<QImage, kCount>;
using Pixmaps = std::array<QPixmap, kCount>;

bool InRange(int code) { return code >= 0 && code < kCount; }

// Reads one XPM into ARGB32 and snaps every pixel to fully transparent (and black) or fully
// opaque, so the picture behaves exactly like a colour image plus a one-bit mask.
QImage Decode(const char* const* xpm) {
  QImage image = QImage(xpm).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : (line[x] | 0xFF000000u);
    }
  }
  return image;
}

const Images& AllImages() {
  static const Images images = [] {
    static const char* const* const sources[kCount] = {
        tile0_empty_xpm, tile1_red_xpm,       tile2_green_xpm,        tile3_blue_xpm,        tile4_yellow_xpm,
        tile5_gray_xpm,  tile6_cannon_up_xpm, tile7_cannon_right_xpm, tile8_cannon_down_xpm, tile9_cannon_left_xpm};
    Images result;
    for (int i = 0; i < kCount; ++i) result[i] = Decode(sources[i]);
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

void DrawStretched(QPainter& canvas, const QRect& square, int code) {
  if (!InRange(code) || code == 0) return;
  canvas.save();
  canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
  canvas.drawImage(square, AllImages()[code]);
  canvas.restore();
}

}  // namespace TilePictures

QString TileName(int code) {
  static const char* const names[] = {"Empty",      "Red block", "Green block",  "Blue block",  "Yellow block",
                                      "Grey block", "Cannon up", "Cannon right", "Cannon down", "Cannon left"};
  if (code >= 0 && code < int(std::size(names))) return QString::fromLatin1(names[code]);
  return QStringLiteral("Tile %1").arg(code);
}
