#include "cli/SetFiles.h"

#include <algorithm>
#include <iterator>

#include "cli/CliSupport.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

std::string NotWholeRecord(std::size_t trailingBytes) {
  return "the last " + Counted(static_cast<long long>(trailingBytes), "byte") + (trailingBytes == 1 ? " is" : " are") +
         " not a whole record";
}

std::string WhyNotReadable(const quarvel::LevelSetFileShape& shape) {
  if (shape.Bytes < quarvel::kHeaderSize) return "the file is shorter than its 4-byte header";
  return NotWholeRecord(shape.TrailingBytes());
}

namespace {

std::uint64_t LengthOf(const std::string& path) { return quarvel::FileLength(path).value_or(0); }

// ": it is a folder", or nothing for a regular file or none.
std::string ItIs(quarvel::FileKind kind) {
  const std::string_view name = quarvel::FileKindName(kind);
  return name.empty() ? std::string() : ": it is " + std::string(name);
}

// The editor's message for a failed read, with what is wrong with the length when the file
// is cut short.
std::string ReadErrorMessage(const quarvel::EInOutError& error, const SetFileShape& shape) {
  const std::string message = error.what();
  if (error.ErrorCode != quarvel::kReadBeyondEndOfFile.Code) return message;
  return message + ": " + WhyNotReadable(shape);
}

// Standard input read to its end: the first 75,780 bytes kept, the rest only counted.
SetFileShape ReadSetFromStandardInput(quarvel::LevelSet& set) {
  const quarvel::StreamBytes in = StandardInputBytes(quarvel::kMaxLevelSetFileSize);
  const std::span<const std::uint8_t> kept(in.Bytes);
  SetFileShape shape;
  shape.Bytes = in.Length;
  shape.LevelSetHeader = IsLevelSetHeader(kept);
  try {
    shape.LevelsRead = quarvel::ParseLevelSetBytes(kept, set);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(kStandardStream, ReadErrorMessage(error, shape));
  }
  return shape;
}

}  // namespace

bool IsLevelSetHeader(std::span<const std::uint8_t> start) {
  return start.size() >= quarvel::kHeaderSize &&
         std::equal(std::begin(quarvel::kLevelSetHeader), std::end(quarvel::kLevelSetHeader), start.begin());
}

quarvel::StreamBytes StandardInputBytes(std::size_t limit) {
  try {
    return quarvel::ReadStandardInput(limit);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(kStandardStream, error.what() + ItIs(quarvel::KindOfStandardInput()));
  }
}

std::string FileErrorMessage(const std::string& path, const std::string& message) {
  return message + ItIs(quarvel::KindOfFile(path));
}

SetFileShape ReadSet(const std::string& file, quarvel::LevelSet& set) {
  quarvel::ClearLevelSet(set);
  if (file == kStandardStream) return ReadSetFromStandardInput(set);
  // The reader looks at no more than 256 records; the length tells what lies beyond.
  SetFileShape shape;
  std::uint8_t header[quarvel::kHeaderSize] = {};
  try {
    shape.LevelsRead = quarvel::ReadLevelSetFile(file, set);
    shape.LevelSetHeader = IsLevelSetHeader({header, quarvel::ReadRegularFileStart(file, header)});
  } catch (const quarvel::EInOutError& error) {
    shape.Bytes = LengthOf(file);
    throw CliError(file, FileErrorMessage(file, ReadErrorMessage(error, shape)));
  }
  shape.Bytes = LengthOf(file);
  return shape;
}

}  // namespace quarvel_cli
