#include "painting/GridPainting.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "painting/TilePictures.h"

namespace GridPainting {
namespace {

constexpr int kColCount = quarvel::kColumns;
constexpr int kRowCount = quarvel::kRows;

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

}  // namespace

GridColours ColoursFromPalette(const QPalette& palette) {
  GridColours c;
  c.Base = palette.color(QPalette::Base);
  c.Lines = c.Base.rgb() == kSilver.rgb() ? kGrey : kSilver;
  c.Dark = palette.color(QPalette::Dark);
  c.Light = palette.color(QPalette::Light);
  c.Shadow = palette.color(QPalette::Shadow);
  c.Midlight = palette.color(QPalette::Midlight);
  return c;
}

GridColours StandardColours() {
  // The standard palette of the classic Windows style the editor's windows use.
  GridColours c;
  c.Base = QColor(0xff, 0xff, 0xff);
  c.Lines = kSilver;
  c.Dark = QColor(0x6a, 0x68, 0x64);
  c.Light = QColor(0xff, 0xff, 0xff);
  c.Shadow = QColor(0x00, 0x00, 0x00);
  c.Midlight = QColor(0xe9, 0xe7, 0xe3);
  return c;
}

QRect CellRect(int col, int row) { return QRect(kBorder + col * kPitch, kBorder + row * kPitch, kCellSize, kCellSize); }

Geometry::Geometry(qreal ratio) {
  const qreal nudge = 1e-9;  // 21 x 1.5 is 31.5 even after rounding errors
  line = std::max(kLineWidth, int(std::floor(ratio + nudge)));
  pitch = std::max(kCellSize + 1, int(std::floor(kPitch * ratio + nudge)));
  cell = pitch - line;
  origin = 2 * line;
}

void PaintFrame(QPainter& p, const GridColours& colours, const Geometry& g, QSize size) {
  const int w = size.width(), h = size.height(), b = g.line;
  // The sunken border, as a Windows panel draws it: two rings, the top and left sides of
  // each first, the bottom and right ones over their corners.
  p.fillRect(QRect(0, 0, b, h - b), colours.Dark);
  p.fillRect(QRect(0, 0, w - b, b), colours.Dark);
  p.fillRect(QRect(0, h - b, w, b), colours.Light);
  p.fillRect(QRect(w - b, 0, b, h), colours.Light);
  p.fillRect(QRect(b, b, b, h - 3 * b), colours.Shadow);
  p.fillRect(QRect(b, b, w - 3 * b, b), colours.Shadow);
  p.fillRect(QRect(b, h - 2 * b, w - 2 * b, b), colours.Midlight);
  p.fillRect(QRect(w - 2 * b, b, b, h - 2 * b), colours.Midlight);

  // The line after each column and each row, the last ones included.
  const int cellsWidth = kColCount * g.pitch, cellsHeight = kRowCount * g.pitch;
  for (int c = 0; c < kColCount; ++c)
    p.fillRect(QRect(g.origin + c * g.pitch + g.cell, g.origin, g.line, cellsHeight), colours.Lines);
  for (int r = 0; r < kRowCount; ++r)
    p.fillRect(QRect(g.origin, g.origin + r * g.pitch + g.cell, cellsWidth, g.line), colours.Lines);

  // The strips of the interior right of and below the cells.
  const int interiorRight = w - 2 * b, interiorBottom = h - 2 * b;
  p.fillRect(QRect(g.origin + cellsWidth, g.origin, interiorRight - g.origin - cellsWidth, interiorBottom - g.origin),
             colours.Base);
  p.fillRect(QRect(g.origin, g.origin + cellsHeight, cellsWidth, interiorBottom - g.origin - cellsHeight),
             colours.Base);
}

void PaintTile(QPainter& painter, const QRect& cell, const quarvel::LevelSet& set, int level, int col, int row) {
  TilePictures::Draw(painter, cell.topLeft(), quarvel::ReadCell(set, level, col, row));
}

void PaintLevel(QPainter& painter, const GridColours& colours, const quarvel::LevelSet& set, int level) {
  PaintFrame(painter, colours);
  for (int col = 0; col < kColCount; ++col) {
    for (int row = 0; row < kRowCount; ++row) {
      const QRect cell = CellRect(col, row);
      painter.fillRect(cell, colours.Base);
      PaintTile(painter, cell, set, level, col, row);
    }
  }
}

QImage LevelImage(const quarvel::LevelSet& set, int level, const GridColours& colours) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(colours.Base);
  QPainter painter(&image);
  PaintLevel(painter, colours, set, level);
  return image;
}

FittedGrid FitToHeight(int height) {
  FittedGrid fitted{Geometry(qreal(height) / kHeight), QSize(kWidth * height / kHeight, height)};
  if (height >= kHeight) return fitted;
  Geometry& g = fitted.geometry;
  g.line = kLineWidth;
  g.origin = 2 * g.line;
  // The two rings of the border on each side, and the cells with the line after each.
  g.pitch = kPitch * height / kHeight;
  while (g.pitch > 2 &&
         (4 * g.line + kRowCount * g.pitch > height || 4 * g.line + kColCount * g.pitch > fitted.size.width()))
    --g.pitch;
  g.cell = g.pitch - g.line;
  return fitted;
}

QImage FittedLevelImage(const quarvel::LevelSet& set, int level, const GridColours& colours, int height) {
  const FittedGrid fitted = FitToHeight(height);
  const Geometry& g = fitted.geometry;
  QImage image(fitted.size, QImage::Format_RGB32);
  image.fill(colours.Base);
  QPainter painter(&image);
  PaintFrame(painter, colours, g, fitted.size);
  for (int col = 0; col < kColCount; ++col)
    for (int row = 0; row < kRowCount; ++row)
      TilePictures::DrawStretched(painter, g.Cell(col, row), quarvel::ReadCell(set, level, col, row));
  return image;
}

}  // namespace GridPainting
