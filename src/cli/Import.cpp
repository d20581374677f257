// quarvel-levels import: the text form back into the very bytes of a level set file.
#include <optional>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/SetFiles.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {kOutputOption, kForceOption};

int RunImport(const ParsedArgs& parsed) {
  const std::string& file = parsed.Operands[0];
  const std::optional<std::string> given = GivenOutput(parsed);
  if (!given && quarvel::StandardOutputIsTerminal())
    throw CliError("standard output", "Is a terminal; give -o SET, or -o - to write the set there");
  const std::string out = given.value_or(kStandardStream);
  const OutputRule rule = RuleOfOutput(parsed, quarvel::ContentKind::LevelSet, {file});
  CheckOutput(out, rule);
  const std::vector<std::uint8_t> text = ReadInput(file);
  if (quarvel::FormOfSetFile(text) == quarvel::SetFileForm::LevelSet)
    throw CliError(file, "Is a level set (it begins with 44 41 47 00), not its text: export writes the text");
  quarvel::SetImage image;
  try {
    image = quarvel::ParseTextForm(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  } catch (const quarvel::TextFormError& error) {
    throw TextError(file, error);
  }
  WriteOutput(out, quarvel::EncodeSetBytes(image), rule);
  return kStatusOk;
}

}  // namespace

extern const Command kImportCommand{
    .Name = "import",
    .Brief = "TEXT [-o SET]",
    .Summary = "that text back into the very same bytes",
    .Usage = "TEXT [-o SET|-] [--force]",
    .Help =
        "Reads the text that `export` writes and writes the level set file it describes, byte for\n"
        "byte, replacing SET safely. Hand edits are welcome: a tile, a number, a level added at the\n"
        "end, trailing blanks, CRLF line ends. Anything else is an error at FILE:LINE:COLUMN that\n"
        "says what was expected; then nothing is written and the status is 2. TEXT - is standard\n"
        "input.\n"
        "\n"
        "  -o, --output SET               the level set file to write, or - for standard output\n"
        "                                 (the default, unless it is a terminal); never TEXT,\n"
        "                                 and a file already there only when it is a level set\n"
        "  --force                        replace SET even when it is not a level set\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = 1,
    .Missing = {"No file given"},
    .Run = RunImport,
};

}  // namespace quarvel_cli
