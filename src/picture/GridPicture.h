#pragma once
// The level grid's picture in whole pixels, plain C++: the sunken border, the lines, every
// cell's background by its state and the tile pictures through their masks, at 100 % (241
// x 281, cells of 20 x 20 with 1-pixel lines inside a 2-pixel border) or laid out for any
// device pixel ratio or height. The editor's grid (painting/GridPainting) lays itself out
// and frames itself with the same functions, and tests compare it with these pictures
// pixel for pixel; quarvel-levels draws render and thumbnail from them.

#include <optional>
#include <vector>

#include "model/LevelSet.h"
#include "picture/Picture.h"

namespace quarvel {

constexpr int kGridCellSize = 20;
constexpr int kGridLineWidth = 1;
constexpr int kGridPitch = kGridCellSize + kGridLineWidth;  // 21
constexpr int kGridBorder = 2;
// The cells with their lines inside the border, and strips of the base colour right of and
// below them (6 and 4 pixels).
constexpr int kGridWidth = 241;
constexpr int kGridHeight = 281;

struct GridColours {
  Rgb Base;       // the cells and the strips right of and below them
  Rgb Lines;      // between the cells
  Rgb Highlight;  // the current cell while the grid does not have the focus
  // The sunken border, as a Windows panel draws it: outer top-left, outer bottom-right,
  // inner top-left, inner bottom-right.
  Rgb Dark, Light, Shadow, Midlight;

  bool operator==(const GridColours&) const = default;
};

// The lines between cells are grey on a silver base and silver on any other.
Rgb GridLinesOn(Rgb base);

// The editor's look: the standard palette of the classic Windows style its windows use
// (white cells, silver lines, the bevelled border, a blue highlight).
GridColours StandardGridColours();

// The cell's square at 100 %, border included in the offset.
PixelRect GridCellRect(int col, int row);

// The grid in device pixels. At a whole device pixel ratio it is the 100 % grid enlarged
// pixel for pixel. At a fractional one each line is a whole number of device pixels and
// every cell the same whole number of them, so no line comes out thicker than another and
// no cell wider; the cells close up a little (at most one device pixel per cell) and the
// strips right of and below them take up the rest.
struct GridGeometry {
  int line = kGridLineWidth;  // the width of a grid line and of each ring of the border
  int pitch = kGridPitch;     // a cell and the line after it
  int cell = kGridCellSize;
  int origin = kGridBorder;  // the first cell's corner: inside the two rings of the border

  explicit GridGeometry(double ratio = 1);
  PixelRect Cell(int col, int row) const { return {origin + col * pitch, origin + row * pitch, cell, cell}; }
};

// A geometry and the size of the picture it fills.
struct GridLayout {
  GridGeometry geometry;
  int width = kGridWidth, height = kGridHeight;
};

// The grid at device pixel ratio `ratio`: the whole device pixels of 241 x 281 logical ones.
GridLayout GridAtRatio(double ratio);

// The grid laid out to fit `height` pixels, the grid's height scaled by height / 281: from
// 100 % up as GridGeometry lays it out at that ratio, below it with lines and rings of one
// pixel and cells as large as fit. The width is scaled likewise, rounded down.
GridLayout FitGridToHeight(int height);

// Everything but the cells' squares, in the order they are filled (a later rectangle over
// an earlier one): the border, the line after each column and each row, and the strips of
// the interior right of and below the cells.
struct ColouredRect {
  PixelRect rect;
  Rgb colour;
};
std::vector<ColouredRect> GridFrame(const GridColours& colours, const GridLayout& layout);

// The source pixel (0..19) that pixel `i` (0..cell-1) of a tile picture stretched over a
// cell of `cell` pixels shows: the nearest one, by the 16.16 fixed-point steps the
// editor's painting takes, so that the two agree to the pixel.
int StretchedTilePixel(int cell, int i);

// Draws tile picture `code` stretched over `square` through its mask (nothing for a code
// without a picture).
void DrawTile(Picture& picture, const PixelRect& square, int code);

// Inverts every other dot along the outline of the square (every colour channel, the
// alpha kept), starting with its top-left corner; the pattern alternates all the way
// round. A dot is `dot` pixels square, so at a whole ratio the mark is the 100 % one
// enlarged: the focus mark of the current cell.
void InvertDottedOutline(Picture& picture, const PixelRect& square, int dot);

// The current cell and how it shows: in the highlight colour, or, while the grid has the
// focus, on the base colour with the dotted focus mark.
struct CurrentCell {
  int col = 0, row = 0;
  bool focused = false;
};

// The grid of `level` (index 0..255) in `layout`: the frame, then every cell's background
// and its tile picture; the current cell, if given, marked as the editor marks it.
Picture GridPicture(const LevelSet& set, int level, const GridColours& colours, const GridLayout& layout = GridLayout(),
                    std::optional<CurrentCell> current = std::nullopt);

}  // namespace quarvel
