#include "web/DrawGrid.h"

#include <cmath>
#include <cstdlib>

#include "editor/GridCells.h"
#include "web/Page.h"

namespace web {
namespace {

using quarvel::kLastCol;
using quarvel::kLastRow;

// A translucent colour laid over an opaque one, so that every cell stays opaque.
quarvel::Rgb Over(quarvel::Rgb top, quarvel::Rgb under) {
  const unsigned alpha = top >> 24;
  auto channel = [&](int shift) {
    const unsigned a = (top >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    return (a * alpha + b * (255 - alpha) + 127) / 255;
  };
  return quarvel::OpaqueRgb(int(channel(16)), int(channel(8)), int(channel(0)));
}

}  // namespace

TDrawGrid::TDrawGrid(const quarvel::EditorSession& editor) : editor_(editor), dragSteps_([this] { DragStep(); }) {
  for (int c = 0; c <= kLastCol; ++c)
    for (int r = 0; r <= kLastRow; ++r) DescribeCell(c, r, quarvel::CellPlace({c, r}));
}

void TDrawGrid::SetFocused(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  const quarvel::GridGeometry g(ratio_);
  Draw(g.Cell(current_.Col, current_.Row));
}

void TDrawGrid::SetLook(double ratio, quarvel::Rgb window, quarvel::Rgb highlight) {
  ratio_ = ratio;
  colours_.Base = Over(window, quarvel::OpaqueRgb(255, 255, 255));
  colours_.Lines = quarvel::GridLinesOn(colours_.Base);
  colours_.Highlight = Over(highlight, colours_.Base);
  const quarvel::GridLayout layout = quarvel::GridAtRatio(ratio_);
  SizeGrid(layout.width, layout.height);
  Repaint();
}

void TDrawGrid::Repaint() {
  const quarvel::GridLayout layout = quarvel::GridAtRatio(ratio_);
  Draw({0, 0, layout.width, layout.height});
  for (int c = 0; c <= kLastCol; ++c)
    for (int r = 0; r <= kLastRow; ++r) Name({c, r});
  SetCurrentCell(current_.Col, current_.Row);
}

void TDrawGrid::Draw(const quarvel::PixelRect& area) {
  const quarvel::GridLayout layout = quarvel::GridAtRatio(ratio_);
  const quarvel::Picture picture = quarvel::GridPicture(editor_.Set, editor_.Level, colours_, layout,
                                                        quarvel::CurrentCell{current_.Col, current_.Row, focused_});
  rgba_.resize(std::size_t(picture.Width) * std::size_t(picture.Height) * 4);
  for (int y = area.Y; y < area.Y + area.Height; ++y)
    for (int x = area.X; x < area.X + area.Width; ++x) {
      const quarvel::Rgb p = picture.At(x, y);
      std::uint8_t* out = &rgba_[(std::size_t(y) * std::size_t(picture.Width) + std::size_t(x)) * 4];
      out[0] = std::uint8_t(p >> 16);
      out[1] = std::uint8_t(p >> 8);
      out[2] = std::uint8_t(p);
      out[3] = 0xFF;
    }
  PutGrid(rgba_.data(), picture.Width, area.X, area.Y, area.Width, area.Height);
}

void TDrawGrid::Name(Cell cell) { SetCellName(cell.Col, cell.Row, editor_.CellName(cell.Col, cell.Row)); }

bool TDrawGrid::CellAt(double x, double y, Cell& cell) const {
  const quarvel::GridGeometry g;  // CSS pixels: the 100 % layout
  const int px = int(std::floor(x)) - g.origin, py = int(std::floor(y)) - g.origin;
  if (px < 0 || py < 0) return false;
  const int c = px / g.pitch, r = py / g.pitch;
  if (c > kLastCol || r > kLastRow) return false;
  cell = {c, r};
  return true;
}

void TDrawGrid::MoveTo(Cell cell) {
  if (OnSelectCell) OnSelectCell(cell.Col, cell.Row);
  const Cell old = current_;
  current_ = cell;
  const quarvel::GridGeometry g(ratio_);
  Draw(g.Cell(old.Col, old.Row));
  Draw(g.Cell(cell.Col, cell.Row));
  Name(cell);
  SetCurrentCell(cell.Col, cell.Row);
}

void TDrawGrid::MouseDown(double x, double y, int button, int clicks) {
  if (button != 0 || clicks >= 2) return;
  Cell cell;
  if (!CellAt(x, y, cell)) return;
  MoveTo(cell);
  dragging_ = true;
  pointerX_ = x;
  pointerY_ = y;
}

void TDrawGrid::MouseMove(double x, double y) {
  if (!dragging_) return;
  pointerX_ = x;
  pointerY_ = y;
  Cell cell;
  if (CellAt(x, y, cell)) {
    dragSteps_.Stop();
    if (!(cell == current_)) MoveTo(cell);
  } else if (!dragSteps_.Running()) {
    dragSteps_.Start(quarvel::kDragStepMs, quarvel::kDragStepMs);
  }
}

void TDrawGrid::DragStep() {
  const quarvel::GridGeometry g;
  const double x = pointerX_ - g.origin, y = pointerY_ - g.origin;
  const int dc = x < 0 ? -1 : (x >= quarvel::kColumns * g.pitch ? 1 : 0);
  const int dr = y < 0 ? -1 : (y >= quarvel::kRows * g.pitch ? 1 : 0);
  const Cell to = quarvel::CellAfterDragStep(current_, dc, dr);
  if (!(to == current_)) MoveTo(to);
}

void TDrawGrid::MouseUp(double x, double y) {
  if (!dragging_) return;
  dragging_ = false;
  dragSteps_.Stop();
  Cell cell;
  if (CellAt(x, y, cell) && !(cell == current_)) MoveTo(cell);
}

void TDrawGrid::Wheel(int units) {
  const int rows = wheel_.Add(units);
  for (int i = 0; i < std::abs(rows); ++i) KeyDown(rows < 0 ? quarvel::TGridKey::Up : quarvel::TGridKey::Down, false);
}

void TDrawGrid::KeyDown(quarvel::TGridKey key, bool ctrl) {
  const Cell to = quarvel::CellAfterKey(current_, key, ctrl);
  if (!(to == current_)) MoveTo(to);
}

}  // namespace web
