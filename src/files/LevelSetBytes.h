#pragma once
// The bytes of a level set file, apart from any file: decoding a file's bytes into a set
// and encoding a set's playable levels into bytes, as ReadLevelSetFile and WriteLevelSetFile
// do with the file system; one record's block either way; and a file's whole content
// (SetImage), byte for byte, for the text form and the comparison of files. The fuzz target
// drives the decoder directly.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "model/LevelSet.h"

namespace quarvel {

// One record's block (DagFormat.h) into a level and back, every value bit for bit.
void DecodeRecord(std::span<const std::uint8_t, kBlockSize> block, LevelRecord& level);
void EncodeRecord(const LevelRecord& level, std::span<std::uint8_t, kBlockSize> block);

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

// What a level set file holds, byte for byte: its header, every whole record (past the
// 256th too) and the bytes after the last one.
struct SetImage {
  std::array<std::uint8_t, kHeaderSize> Header{0x44, 0x41, 0x47, 0x00};
  std::vector<LevelRecord> Records;
  std::vector<std::uint8_t> Tail;  // only after 256 records or more: else the reader refuses it
  bool operator==(const SetImage&) const = default;
};

// The bytes of a file the reader takes (else kReadBeyondEndOfFile is thrown, as the reader
// throws it), and back.
SetImage DecodeSetBytes(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeSetBytes(const SetImage& image);

}  // namespace quarvel
