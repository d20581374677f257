#pragma once
// Level set files as the commands read and write them: "-" is standard input or output,
// and an error names what is wrong with the file.

#include <cstdint>
#include <span>
#include <string>

#include "files/DagFormat.h"
#include "files/SystemFiles.h"
#include "model/LevelSet.h"

namespace quarvel_cli {

inline constexpr const char* kStandardStream = "-";

// What a read found beside the levels: the file's whole length (its records and trailing
// bytes, quarvel::LevelSetFileShape), of which the reader looks at no more than the header
// and 256 records.
struct SetFileShape : quarvel::LevelSetFileShape {
  int LevelsRead = 0;           // 0..256
  bool LevelSetHeader = false;  // it begins with 44 41 47 00 (the reader takes any 4 bytes)
};

// Reads FILE, or standard input for "-", into `set` as the editor opens a set: cleared,
// then the file's levels from level 1 on. Failures are CliErrors with the editor's message.
SetFileShape ReadSet(const std::string& file, quarvel::LevelSet& set);

// Whether `start`, a file's first bytes, begins with the level set header 44 41 47 00.
bool IsLevelSetHeader(std::span<const std::uint8_t> start);

// "the last 1 byte is not a whole record", "the last 5 bytes are ...".
std::string NotWholeRecord(std::size_t trailingBytes);

// Why the reader refuses a file of this shape: "the file is shorter than its 4-byte
// header", or NotWholeRecord.
std::string WhyNotReadable(const quarvel::LevelSetFileShape& shape);

// The editor's message for a failed operation on `path`, saying what the file is when the
// failure comes from its kind ("File access denied: it is a folder").
std::string FileErrorMessage(const std::string& path, const std::string& message);

// Standard input read to its end, its first `limit` bytes kept (quarvel::ReadStandardInput).
// A failure is a CliError that says what standard input is when that is the cause.
quarvel::StreamBytes StandardInputBytes(std::size_t limit);

}  // namespace quarvel_cli
