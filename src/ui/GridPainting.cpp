#include "ui/GridPainting.h"

#include <QPainter>
#include <QPalette>

#include "ui/TilePictures.h"

namespace GridPainting {
namespace {

constexpr int kColCount = quarvel::kColumns;
constexpr int kRowCount = quarvel::kRows;
constexpr int kCellsWidth = kColCount * kPitch;   // 231, lines included
constexpr int kCellsHeight = kRowCount * kPitch;  // 273
constexpr int kInteriorWidth = kWidth - 2 * kBorder;    // 237
constexpr int kInteriorHeight = kHeight - 2 * kBorder;  // 277

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

// One-pixel lines as the two shades of a sunken panel: top and left first, then bottom and
// right, each overlapping the other at the corners as a Windows panel does.
void PaintBorder(QPainter& p, const GridColours& c) {
  const int w = kWidth, h = kHeight;
  // Outer ring.
  p.fillRect(QRect(0, 0, 1, h - 1), c.Dark);
  p.fillRect(QRect(0, 0, w - 1, 1), c.Dark);
  p.fillRect(QRect(0, h - 1, w, 1), c.Light);
  p.fillRect(QRect(w - 1, 0, 1, h), c.Light);
  // Inner ring.
  p.fillRect(QRect(1, 1, 1, h - 3), c.Shadow);
  p.fillRect(QRect(1, 1, w - 3, 1), c.Shadow);
  p.fillRect(QRect(1, h - 2, w - 2, 1), c.Midlight);
  p.fillRect(QRect(w - 2, 1, 1, h - 2), c.Midlight);
}

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

void PaintFrame(QPainter& painter, const GridColours& colours) {
  PaintBorder(painter, colours);
  // The lines fill the gaps between the cells; the cells are painted over them.
  painter.fillRect(QRect(kBorder, kBorder, kCellsWidth, kCellsHeight), colours.Lines);
  painter.fillRect(QRect(kBorder + kCellsWidth, kBorder, kInteriorWidth - kCellsWidth, kInteriorHeight), colours.Base);
  painter.fillRect(QRect(kBorder, kBorder + kCellsHeight, kCellsWidth, kInteriorHeight - kCellsHeight), colours.Base);
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

}  // namespace GridPainting
