#pragma once
// What a file holds, told by its first bytes and its length: a level set, a set's text, a
// PNG, nothing at all, or something else. A program about to replace a file asks this
// first: a file of its own kind it may replace, anything else is somebody's work.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quarvel {

enum class ContentKind { Empty, LevelSet, Text, Png, Other };

// How many of a file's first bytes tell its kind.
inline constexpr std::size_t kContentKindStart = 512;

// The signature every PNG file begins with.
inline constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// By `start`, a file's first bytes (up to kContentKindStart of them), and `length`, its
// whole length: no bytes are Empty; the PNG signature makes a PNG; a level set and its
// text are known by FormOfSetFile (files/TextForm.h). A file of another header is a level
// set too when the reader takes its length (DagFormat.h) and its start holds a zero byte,
// as every set's numbers do and no text does.
ContentKind ContentKindOf(std::span<const std::uint8_t> start, std::uint64_t length);

// The same of the regular file `path`. A file that cannot be read is Other: nobody can say
// what it holds.
ContentKind ContentKindOfFile(const std::string& path);

}  // namespace quarvel
