#pragma once
#include "model/LevelSet.h"

namespace quarvel {

// The levels one copy wrote: source levels FirstSource .. FirstSource + Count - 1 over
// target levels FirstTarget .. FirstTarget + Count - 1 (numbered from 1). Count 0: none.
struct CopiedLevels {
  std::int32_t FirstSource = 0;
  std::int32_t FirstTarget = 0;
  std::int32_t Count = 0;

  // Whether target level `number` (from 1) is one of the copies.
  constexpr bool Wrote(std::int32_t number) const { return number >= FirstTarget && number < FirstTarget + Count; }
  // How many copies went over a level the target was read with, when it was read with
  // `levelsHeld` levels (levels 1 to levelsHeld).
  constexpr std::int32_t Replaced(std::int32_t levelsHeld) const {
    const std::int32_t past = levelsHeld - FirstTarget + 1;
    return past <= 0 ? 0 : past < Count ? past : Count;
  }
  // How many levels lie between the last level the target was read with and the first
  // copy: levels nothing brought, which the save closes up, so the copies move up by as
  // many. 0 when the copies start at or before the level after the last one held.
  constexpr std::int32_t Gap(std::int32_t levelsHeld) const {
    return Count == 0 || FirstTarget - 1 <= levelsHeld ? 0 : FirstTarget - 1 - levelsHeld;
  }
};

// Copies source levels Start, Start+1, ... (numbered from 1) over levels First, First+1, ...
// of `target` and makes level First current (CurrentLevel := First - 1).
//
// Quantity is cut so that the last level written is level 256, and also so that only
// levels the file really supplied (`sourceLevels`, as the reader reported) are copied:
// a level being edited is never overwritten by one the file did not contain, and
// nothing outside the source set is read. First is expected in 1..256; a First outside
// it copies nothing. Returns what was copied.
CopiedLevels CopyLevels(LevelSet& target, const LevelSet& source, std::int32_t sourceLevels, std::int32_t Start,
                        std::int32_t Quantity, std::int32_t First, TCurrentLevel& CurrentLevel);

}  // namespace quarvel
