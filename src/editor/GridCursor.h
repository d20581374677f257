#pragma once
// How the grid's current cell moves: by the keys, by the wheel and by a drag held outside
// the grid. Every move stays on the grid; a front end turns its own events into these and
// asks before the cell moves, as for a click.

#include "model/LevelSet.h"

namespace quarvel {

struct TGridCell {
  int Col = 0;
  int Row = 0;
  bool operator==(const TGridCell&) const = default;
};

inline constexpr int kLastCol = kColumns - 1;
inline constexpr int kLastRow = kRows - 1;

enum class TGridKey { Up, Down, Left, Right, Home, End, PageUp, PageDown };

// The cell a key moves to from `from`, with or without Ctrl. Ctrl+Left and Ctrl+Right go to
// the row's ends, Ctrl+Home and Ctrl+End to the grid's corners; Ctrl+Up and Ctrl+Down do
// not move. A page is the grid's height less one row.
TGridCell CellAfterKey(TGridCell from, TGridKey key, bool ctrl);

// While the button is held outside the grid, each step moves one cell toward the pointer,
// in each direction in which it lies outside: `dx` and `dy` are -1 (before the first
// column or row), 0 (within the grid's span) or 1 (past the last).
TGridCell CellAfterDragStep(TGridCell from, int dx, int dy);

// The wheel: turns add up with their signs, and each whole notch (120 units, as the
// system counts them) moves the cell one row, up for a turn away from the user.
class TWheelSteps {
 public:
  static constexpr int kNotch = 120;
  // Adds a turn (positive: away from the user); returns the rows to move, negative up.
  int Add(int delta);

 private:
  int remainder_ = 0;
};

}  // namespace quarvel
