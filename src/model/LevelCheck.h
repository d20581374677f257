#pragma once
#include <cstdint>

#include "model/LevelSet.h"

namespace quarvel {

// The coloured blocks of a level: cells holding codes 1 to 4 (0 to 143).
std::int32_t BlockCount(const LevelRecord& level);

// What the level asks for: Rubies + Emeralds + Sapphires + Bombs, widened to 32 bits so
// that four 16-bit values never overflow. Time is not part of it.
std::int32_t Demand(const LevelRecord& level);

// A level is used when any cell or number is not 0; a cleared level is not.
bool IsLevelUsed(const LevelRecord& level);

// A level can be played when its Time is at least 10 and its playfield holds at least
// as many coloured blocks as its demand.
bool IsLevelPlayable(const LevelRecord& level);

// The same for level `level` of the set. An index outside 0..255 is never playable.
bool IsLevelPlayable(const LevelSet& set, std::int32_t level);

}  // namespace quarvel
