#include "model/LevelComparison.h"

namespace quarvel {

std::vector<CellChange> ChangedCells(const LevelRecord& before, const LevelRecord& after) {
  std::vector<CellChange> changes;
  for (std::int32_t row = 0; row < kRows; ++row)
    for (std::int32_t column = 0; column < kColumns; ++column) {
      const auto i = static_cast<std::size_t>(CellIndex(column, row));
      if (before.Cells[i] != after.Cells[i]) changes.push_back({column, row, before.Cells[i], after.Cells[i]});
    }
  return changes;
}

}  // namespace quarvel
