#include "model/LevelCopy.h"

namespace quarvel {

CopiedLevels CopyLevels(LevelSet& target, const LevelSet& source, std::int32_t sourceLevels, std::int32_t Start,
                        std::int32_t Quantity, std::int32_t First, TCurrentLevel& CurrentLevel) {
  // 64-bit arithmetic: the sums below must not overflow for any 32-bit input.
  std::int64_t quantity = Quantity;
  if (quantity + First - 1 > kLevelCount) quantity = std::int64_t{kLevelCount} + 1 - First;
  std::int32_t copied = 0;
  for (std::int64_t k = 0; k < quantity; ++k) {
    const std::int64_t from = std::int64_t{Start} - 1 + k;
    const std::int64_t to = std::int64_t{First} - 1 + k;
    if (from < 0 || from >= sourceLevels || from >= kLevelCount) break;
    if (to < 0 || to >= kLevelCount) break;
    target[static_cast<std::size_t>(to)] = source[static_cast<std::size_t>(from)];
    ++copied;
  }
  CurrentLevel = First - 1;
  return copied == 0 ? CopiedLevels{} : CopiedLevels{Start, First, copied};
}

}  // namespace quarvel
