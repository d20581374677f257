#pragma once
// The integer fields' ranges: a minimum equal to the maximum means no range at all.

#include <cstdint>

#include "model/LevelSet.h"

namespace quarvel {

struct TFieldRange {
  std::int32_t Min;
  std::int32_t Max;
};

// The five numbers of a level (SpinEdit1 to SpinEdit5): any value; the level keeps its
// low 16 bits.
inline constexpr TFieldRange kNumberFieldRange{0, 0};
// The Level field (SpinEdit6) and the three fields of Levels Copy: a level's number.
inline constexpr TFieldRange kLevelFieldRange{1, kLevelCount};

}  // namespace quarvel
