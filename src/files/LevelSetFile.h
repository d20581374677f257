#pragma once
// Level set files (.dag): the header bytes 44 41 47 00, then one 296-byte block per level,
// every value 16-bit little-endian: Time, Bombs, Rubies, Emeralds, Sapphires, then the
// 143 cells column by column.

#include <cstdint>
#include <string>

#include "files/InOutError.h"
#include "model/LevelSet.h"

namespace quarvel {

constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kBlockSize = 296;

// Reads the file's levels into target levels 0, 1, 2, ... and leaves the later levels as
// they were. All or nothing: on any failure EInOutError is thrown and `target` is
// unchanged. Returns how many levels were read (at most 256; further blocks are ignored).
int ReadLevelSetFile(const std::string& FileName, LevelSet& target);

// Writes the header and every playable level, in ascending order, replacing the file.
// On any failure EInOutError is thrown and an existing file keeps its old content.
void WriteLevelSetFile(const std::string& FileName, const LevelSet& set);

}  // namespace quarvel
