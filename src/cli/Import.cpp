// quarvel-levels import: the text form back into the very bytes of a level set file.
#include <unistd.h>

#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/SetFiles.h"
#include "cli/TextFiles.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--output", 'o', true}};

}  // namespace

int RunImport(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.empty()) throw CliError("import", "No file given");
  if (parsed.Operands.size() > 1) throw CliError(parsed.Operands[1], "Unexpected argument");
  const std::string& file = parsed.Operands[0];
  const auto found = parsed.Values.find("--output");
  const std::string out = found == parsed.Values.end() ? kStandardStream : found->second;
  if (out == kStandardStream && found == parsed.Values.end() && ::isatty(STDOUT_FILENO))
    throw CliError("standard output", "Is a terminal; give -o SET, or -o - to write the set there");
  const std::vector<std::uint8_t> text = ReadWholeFile(file);
  quarvel::SetImage image;
  try {
    image = quarvel::ParseTextForm(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  } catch (const quarvel::TextFormError& error) {
    PrintTextFormError(file, error);
    return kStatusError;
  }
  WriteOutput(out, quarvel::EncodeSetBytes(image), {file});
  return kStatusOk;
}

}  // namespace quarvel_cli
