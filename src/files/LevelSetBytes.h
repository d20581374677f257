#pragma once
// The bytes of a level set file, apart from any file: decoding a file's bytes into a set
// and encoding a set's playable levels into bytes. ReadLevelSetFile and WriteLevelSetFile
// are these plus the file system; the fuzz target drives the decoder directly.

#include <cstddef>
#include <cstdint>
#include <span>

#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "model/LevelSet.h"

namespace quarvel {

// Decodes a whole file's bytes into target levels 0, 1, 2, ... and returns how many.
// All or nothing: when the bytes are not a header and whole blocks, kReadBeyondEndOfFile
// is thrown before `target` is touched. Any four header bytes are accepted. Bytes beyond
// the 256th block (more than kMaxLevelSetFileSize in all) are ignored, whatever their
// number: such input loads 256 levels without an error.
// Levels from the returned count on keep what they held.
int ParseLevelSetBytes(std::span<const std::uint8_t> bytes, LevelSet& target);

// Writes the header and every level for which IsLevelPlayable holds, in ascending order,
// into `out` and returns the number of bytes: 4 + 296 x (playable levels).
std::size_t EncodeLevelSet(const LevelSet& set, std::span<std::uint8_t, kMaxLevelSetFileSize> out);

}  // namespace quarvel
