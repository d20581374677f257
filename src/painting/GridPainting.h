#pragma once
// The level grid's picture apart from the widget: the sunken border, the lines, the cell
// backgrounds and the tile pictures of one level, in the grid's own geometry (241 x 281,
// cells of 20 x 20 with 1-pixel lines inside a 2-pixel border). Only QtGui: the level
// picture tool (quarvel-levels render) draws with it where there is no display.
//
// Colours are passed in, never taken from a widget: the grid hands over its palette's,
// the picture tool the editor's standard ones.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include "model/LevelSet.h"

class QPainter;
class QPalette;

namespace GridPainting {

constexpr int kCellSize = 20;
constexpr int kLineWidth = 1;
constexpr int kPitch = kCellSize + kLineWidth;  // 21
constexpr int kBorder = 2;
constexpr int kWidth = 241;
constexpr int kHeight = 281;

struct GridColours {
  QColor Base;   // the cells and the strips right of and below them
  QColor Lines;  // between the cells
  // The sunken border, as a Windows panel draws it: outer top-left, outer bottom-right,
  // inner top-left, inner bottom-right.
  QColor Dark, Light, Shadow, Midlight;

  bool operator==(const GridColours&) const = default;
};

// The colours the grid takes from its palette: the lines are grey on a silver base and
// silver on any other.
GridColours ColoursFromPalette(const QPalette& palette);

// The editor's look: the colours the grid takes from the program's palette (white cells,
// silver lines, the classic bevelled border).
GridColours StandardColours();

// A cell's square, border included in the offset.
QRect CellRect(int col, int row);

// The grid in device pixels. At a whole device pixel ratio it is the 100 % grid enlarged
// pixel for pixel. At a fractional one each line is a whole number of device pixels and
// every cell the same whole number of them, so no line comes out thicker than another and
// no cell wider; the cells close up a little (at most one device pixel per cell) and the
// strips right of and below them take up the rest.
struct Geometry {
  int line = kLineWidth;  // the width of a grid line and of each ring of the border
  int pitch = kPitch;     // a cell and the line after it
  int cell = kCellSize;
  int origin = kBorder;  // the first cell's corner: inside the two rings of the border

  explicit Geometry(qreal ratio = 1);
  QRect Cell(int col, int row) const { return QRect(origin + col * pitch, origin + row * pitch, cell, cell); }
};

// Everything but the cells' squares, on `size` device pixels laid out as `geometry`: the
// border, the line after each column and each row, and the strips of the interior right of
// and below the cells. The cells' pixels are left as they are.
void PaintFrame(QPainter& painter, const GridColours& colours, const Geometry& geometry = Geometry(),
                QSize size = QSize(kWidth, kHeight));

// The picture of a level's tile in a cell's square (nothing for a code without one).
void PaintTile(QPainter& painter, const QRect& cell, const quarvel::LevelSet& set, int level, int col, int row);

// The whole grid for `level` (index 0..255) with no cell marked current: the frame, then
// every cell filled with the base colour and its tile drawn.
void PaintLevel(QPainter& painter, const GridColours& colours, const quarvel::LevelSet& set, int level);

// PaintLevel onto a new kWidth x kHeight image (RGB32).
QImage LevelImage(const quarvel::LevelSet& set, int level, const GridColours& colours);

// The grid laid out to fit `height` device pixels, the grid's height scaled by height /
// kHeight: from 100 % up as Geometry lays it out at that ratio, below it with lines and
// rings of one pixel and cells as large as fit. `size` is the grid's size in pixels: the
// width scaled likewise, rounded down.
struct FittedGrid {
  Geometry geometry;
  QSize size;
};
FittedGrid FitToHeight(int height);

// The grid of `level` in the layout FitToHeight gives, as the grid paints at a fractional
// device pixel ratio: each tile picture stretched over its cell's square with no
// smoothing, so every pixel has a colour of the frame or of a picture. Needs no
// application object (the tile images, not their pixmaps). RGB32.
QImage FittedLevelImage(const quarvel::LevelSet& set, int level, const GridColours& colours, int height);

}  // namespace GridPainting
