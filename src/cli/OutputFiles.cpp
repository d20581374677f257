#include "cli/OutputFiles.h"

#include <algorithm>
#include <cstdint>

#include "cli/CliSupport.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"
#include "files/TextForm.h"

namespace quarvel_cli {

namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Enough of a file's start to tell its kind.
constexpr std::size_t kLookedAt = 512;

enum class FoundKind { Empty, LevelSet, Text, Png, Other };

constexpr std::string_view KindName(FoundKind kind) {
  switch (kind) {
    case FoundKind::LevelSet:
      return "a level set";
    case FoundKind::Text:
      return "a set's text";
    case FoundKind::Png:
      return "a PNG";
    case FoundKind::Empty:
    case FoundKind::Other:
      break;
  }
  return "a file of another kind";
}

FoundKind KindOf(OutputKind kind) {
  switch (kind) {
    case OutputKind::LevelSet:
      return FoundKind::LevelSet;
    case OutputKind::Text:
      return FoundKind::Text;
    case OutputKind::Png:
      break;
  }
  return FoundKind::Png;
}

// What a regular file holds, by its start and length. A file of another header counts as a
// level set when its length is a header and whole records and its start holds a zero byte,
// as every set's numbers do and no text does.
FoundKind KindOfExisting(const std::string& path) {
  std::uint8_t start[kLookedAt];
  std::size_t got = 0;
  try {
    got = quarvel::ReadRegularFileStart(path, start);
  } catch (const quarvel::EInOutError&) {
    return FoundKind::Other;  // unreadable: nobody can say it is ours to replace
  }
  const std::span<const std::uint8_t> bytes(start, got);
  if (got == 0) return FoundKind::Empty;
  if (got >= sizeof kPngSignature && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
    return FoundKind::Png;
  switch (quarvel::FormOfSetFile(bytes)) {
    case quarvel::SetFileForm::LevelSet:
      return FoundKind::LevelSet;
    case quarvel::SetFileForm::Text:
      return FoundKind::Text;
    case quarvel::SetFileForm::Other:
      break;
  }
  const quarvel::LevelSetFileShape shape{quarvel::FileLength(path).value_or(0)};
  if (shape.Readable() && std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) return FoundKind::LevelSet;
  return FoundKind::Other;
}

std::string WhatItWrites(OutputKind kind) { return std::string(KindName(KindOf(kind))); }

}  // namespace

void CheckOutput(const std::string& out, const OutputRule& rule) {
  if (out == kStandardStream) return;
  for (const std::string& input : rule.Inputs)
    if (input != kStandardStream && quarvel::SameFile(out, input))
      throw CliError(out, "Is an input; it is never written over");
  const quarvel::FileKind kind = quarvel::KindOfFile(out);
  if (kind == quarvel::FileKind::Missing) {
    const std::string folder = quarvel::FolderOfName(out);
    if (!quarvel::NameExists(out) && quarvel::KindOfFile(folder) != quarvel::FileKind::Folder)
      throw CliError(out, "No such folder: " + folder);
    return;
  }
  if (kind != quarvel::FileKind::Regular)
    throw CliError(out, "Is " + std::string(quarvel::FileKindName(kind)) + ", not a file; nothing written");
  const FoundKind found = KindOfExisting(out);
  if (found == FoundKind::Empty || found == KindOf(rule.Writes) || rule.Force) return;
  throw CliError(out, "Is " + std::string(KindName(found)) + ", not " + WhatItWrites(rule.Writes) +
                          "; nothing written, and --force replaces it");
}

void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const OutputRule& rule) {
  CheckOutput(out, rule);
  if (out == kStandardStream) {
    WriteOut(bytes);
    FlushOut();
    return;
  }
  try {
    quarvel::ReplaceFileContent(out, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(out, FileErrorMessage(out, error.what()));
  }
}

}  // namespace quarvel_cli
