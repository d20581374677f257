#pragma once
// Two versions of a level compared cell by cell.

#include <cstdint>
#include <vector>

#include "model/LevelSet.h"

namespace quarvel {

struct CellChange {
  std::int32_t Column;  // 0..10
  std::int32_t Row;     // 0..12
  TileCode Before;
  TileCode After;
};

// The cells whose codes differ, row by row from the top, each row from the left.
std::vector<CellChange> ChangedCells(const LevelRecord& before, const LevelRecord& after);

}  // namespace quarvel
