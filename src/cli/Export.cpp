// quarvel-levels export: a level set file as text a person can read, edit and review.
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/SetFiles.h"
#include "cli/TextFiles.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--output", 'o', true}};

}  // namespace

int RunExport(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.empty()) throw CliError("export", "No file given");
  if (parsed.Operands.size() > 1) throw CliError(parsed.Operands[1], "Unexpected argument");
  const std::string& file = parsed.Operands[0];
  const auto out = parsed.Values.find("--output");
  // Always read as a level set file: every file the reader takes gives its own text back.
  const quarvel::SetImage image = ReadSetImage(file, ReadWholeFile(file), TextAllowed::No);
  const std::string text = quarvel::WriteTextForm(image);
  WriteOutput(out == parsed.Values.end() ? kStandardStream : out->second,
              {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, {file});
  return kStatusOk;
}

}  // namespace quarvel_cli
