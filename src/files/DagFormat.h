#pragma once
// The layout of a level set file (.dag), in one place for the reader and the writer.
//
//   offset 0   4 header bytes 44 41 47 00 ("DAG" and a zero byte: the 16-bit values
//              0x4144 and 0x0047)
//   offset 4   one 296-byte block per level, levels in order, at most 256 blocks
//
// Every value is a signed 16-bit little-endian number. A block holds, in this order:
// Time, Bombs, Rubies, Emeralds, Sapphires (10 bytes), then the 143 cells column by
// column (element column x 13 + row), as LevelRecord holds them.

#include <cstddef>
#include <cstdint>

#include "model/LevelSet.h"

namespace quarvel {

inline constexpr std::uint8_t kLevelSetHeader[4] = {0x44, 0x41, 0x47, 0x00};
inline constexpr std::size_t kHeaderSize = sizeof kLevelSetHeader;

// Byte offsets inside a block.
inline constexpr std::size_t kTimeOffset = 0;
inline constexpr std::size_t kBombsOffset = 2;
inline constexpr std::size_t kRubiesOffset = 4;
inline constexpr std::size_t kEmeraldsOffset = 6;
inline constexpr std::size_t kSapphiresOffset = 8;
inline constexpr std::size_t kCellsOffset = 10;
inline constexpr std::size_t kBlockSize = kCellsOffset + 2 * kCellCount;  // 296

// The longest file the writer makes and the most the reader looks at: the header and 256
// blocks, 75,780 bytes.
inline constexpr std::size_t kMaxLevelSetFileSize = kHeaderSize + kBlockSize * kLevelCount;

static_assert(kBlockSize == 296 && kMaxLevelSetFileSize == 75780);

}  // namespace quarvel
