#pragma once
#include <cstdint>
#include <vector>

#include "model/LevelSet.h"

namespace quarvel {

// The least Time of a level that can be played.
inline constexpr std::int16_t kMinimumTime = 10;

// The coloured blocks of a level: cells holding codes 1 to 4 (0 to 143).
std::int32_t BlockCount(const LevelRecord& level);

// What the level asks for: Rubies + Emeralds + Sapphires + Bombs, widened to 32 bits so
// that four 16-bit values never overflow. Time is not part of it.
std::int32_t Demand(const LevelRecord& level);

// A level is used when any cell or number is not 0; a cleared level is not.
bool IsLevelUsed(const LevelRecord& level);

// The indexes (0..255) of the levels used, in ascending order: the levels a report lists
// and a picture of the set shows.
std::vector<std::int32_t> UsedLevels(const LevelSet& set);

// The two rules a level can fail, with the counts they compare; both are always worked out.
struct Playability {
  std::int32_t Blocks = 0;
  std::int32_t Demand = 0;
  std::int16_t Time = 0;
  // Fewer coloured blocks than the demand.
  bool TooFewBlocks() const { return Blocks < Demand; }
  // A Time under kMinimumTime.
  bool TimeTooShort() const { return Time < kMinimumTime; }
  bool Playable() const { return !TooFewBlocks() && !TimeTooShort(); }
};

Playability PlayabilityOf(const LevelRecord& level);

// A level can be played when its Time is at least 10 and its playfield holds at least
// as many coloured blocks as its demand.
bool IsLevelPlayable(const LevelRecord& level);

// The same for level `level` of the set. An index outside 0..255 is never playable.
bool IsLevelPlayable(const LevelSet& set, std::int32_t level);

}  // namespace quarvel
