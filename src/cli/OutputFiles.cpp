#include "cli/OutputFiles.h"

#include <string_view>
#include <utility>

#include "cli/CliSupport.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

namespace {

constexpr std::string_view KindName(quarvel::ContentKind kind) {
  switch (kind) {
    case quarvel::ContentKind::LevelSet:
      return "a level set";
    case quarvel::ContentKind::Text:
      return "a set's text";
    case quarvel::ContentKind::Png:
      return "a PNG";
    case quarvel::ContentKind::Empty:
    case quarvel::ContentKind::Other:
      break;
  }
  return "a file of another kind";
}

}  // namespace

std::optional<std::string> GivenOutput(const ParsedArgs& parsed) { return parsed.Value(kOutputOption.Long); }

OutputRule RuleOfOutput(const ParsedArgs& parsed, quarvel::ContentKind kind, std::vector<std::string> inputs) {
  return {kind, std::move(inputs), parsed.Has(kForceOption.Long)};
}

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
  const quarvel::ContentKind found = quarvel::ContentKindOfFile(out);
  if (found == quarvel::ContentKind::Empty || found == rule.Writes || rule.Force) return;
  throw CliError(out, "Is " + std::string(KindName(found)) + ", not " + std::string(KindName(rule.Writes)) +
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
