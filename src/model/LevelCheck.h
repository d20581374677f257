#pragma once
#include "model/LevelSet.h"

namespace quarvel {

// A level can be played when its Time is at least 10 and its playfield holds at least
// as many coloured blocks (codes 1 to 4) as Rubies + Emeralds + Sapphires + Bombs.
// An index outside 0..255 is never playable.
bool IsLevelPlayable(const LevelSet& set, std::int32_t level);

}  // namespace quarvel
