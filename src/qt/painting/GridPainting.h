#pragma once
// The level grid's picture on a QPainter: the editor's grid paints its frame with these, in
// the layout and with the rectangles of the core's grid picture (picture/GridPicture.h),
// which tests compare with the grid pixel for pixel. Colours come from a palette.

#include <QPalette>
#include <QRect>
#include <QSize>

#include "picture/GridPicture.h"

class QPainter;

namespace GridPainting {

constexpr int kCellSize = quarvel::kGridCellSize;
constexpr int kLineWidth = quarvel::kGridLineWidth;
constexpr int kPitch = quarvel::kGridPitch;  // 21
constexpr int kBorder = quarvel::kGridBorder;
constexpr int kWidth = quarvel::kGridWidth;
constexpr int kHeight = quarvel::kGridHeight;

using Geometry = quarvel::GridGeometry;

inline QRect ToQRect(const quarvel::PixelRect& r) { return QRect(r.X, r.Y, r.Width, r.Height); }

// The colours the grid takes from its palette: base, highlight and the border's from their
// roles, the lines grey on a silver base and silver on any other.
quarvel::GridColours ColoursFromPalette(const QPalette& palette);

// A cell's square at 100 %, border included in the offset.
inline QRect CellRect(int col, int row) { return ToQRect(quarvel::GridCellRect(col, row)); }

// Everything but the cells' squares, on `size` device pixels laid out as `geometry`: the
// border, the line after each column and each row, and the strips of the interior right of
// and below the cells. The cells' pixels are left as they are.
void PaintFrame(QPainter& painter, const quarvel::GridColours& colours, const Geometry& geometry = Geometry(),
                QSize size = QSize(kWidth, kHeight));

}  // namespace GridPainting
