#include "model/LevelCheck.h"

namespace quarvel {

bool IsLevelPlayable(const LevelSet& set, std::int32_t level) {
  if (!IsLevelIndex(level)) return false;
  const LevelRecord& record = set[level];
  std::int32_t blocks = 0;
  for (TileCode code : record.Cells) {
    if (code >= RedBlock && code <= YellowBlock) ++blocks;
  }
  // Widened to 32 bits so that four 16-bit values never overflow.
  const std::int32_t demand = std::int32_t{record.Rubies} + record.Emeralds + record.Sapphires + record.Bombs;
  return record.Time >= 10 && blocks >= demand;
}

}  // namespace quarvel
