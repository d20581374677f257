#include "model/LevelCheck.h"

namespace quarvel {

std::int32_t BlockCount(const LevelRecord& level) {
  std::int32_t blocks = 0;
  for (TileCode code : level.Cells) {
    if (code >= RedBlock && code <= YellowBlock) ++blocks;
  }
  return blocks;
}

std::int32_t Demand(const LevelRecord& level) {
  return std::int32_t{level.Rubies} + level.Emeralds + level.Sapphires + level.Bombs;
}

bool IsLevelUsed(const LevelRecord& level) {
  for (TileCode code : level.Cells) {
    if (code != Empty) return true;
  }
  return level.Rubies != 0 || level.Emeralds != 0 || level.Sapphires != 0 || level.Bombs != 0 || level.Time != 0;
}

std::vector<std::int32_t> UsedLevels(const LevelSet& set) {
  std::vector<std::int32_t> used;
  for (std::int32_t index = 0; index < kLevelCount; ++index)
    if (IsLevelUsed(set[static_cast<std::size_t>(index)])) used.push_back(index);
  return used;
}

Playability PlayabilityOf(const LevelRecord& level) { return {BlockCount(level), Demand(level), level.Time}; }

bool IsLevelPlayable(const LevelRecord& level) { return PlayabilityOf(level).Playable(); }

bool IsLevelPlayable(const LevelSet& set, std::int32_t level) {
  return IsLevelIndex(level) && IsLevelPlayable(set[level]);
}

}  // namespace quarvel
