// quarvel-levels export: a level set file as text a person can read, edit and review.
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/SetFiles.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--output", 'o', true}, {"--force", 0, false}};

int RunExport(const ParsedArgs& parsed) {
  const std::string& file = parsed.Operands[0];
  const auto found = parsed.Values.find("--output");
  const std::string out = found == parsed.Values.end() ? kStandardStream : found->second;
  const OutputRule rule{OutputKind::Text, {file}, parsed.Has("--force")};
  CheckOutput(out, rule);
  // Always read as a level set file: every file the reader takes gives its own text back.
  const quarvel::SetImage image = ReadSetImage(file, ReadInput(file), TextAllowed::No);
  const std::string text = quarvel::WriteTextForm(image);
  WriteOutput(out, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, rule);
  return kStatusOk;
}

}  // namespace

extern const Command kExportCommand{
    .Name = "export",
    .Brief = "SET [-o OUT]",
    .Summary = "the set as text to read, edit and review",
    .Usage = "SET [-o OUT|-] [--force]",
    .Help =
        "Writes SET as text: per record, \"level N\", its five numbers by name and its 13 rows of\n"
        "11 tiles, each row followed by its number: . empty, R G B Y blocks, # grey block,\n"
        "^ > v < cannons, ? any other code, given after the rows as \"cell COLUMN,ROW = CODE\"\n"
        "(counted from 1 at the top left). A record of zeros is \"level N empty\";\n"
        "records past the 256th are \"record N\"; a header other than 44 41 47 00 and bytes after\n"
        "the last whole record are written in hexadecimal. `import` gives back the same bytes.\n"
        "SET - is standard input. Status 0, or 2 on an error.\n"
        "\n"
        "  -o, --output OUT               the text file (replaced safely), or - (the default) for\n"
        "                                 standard output; never SET, and a file already there\n"
        "                                 only when it is a set's text\n"
        "  --force                        replace OUT even when it is not a set's text\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = 1,
    .Missing = {"No file given"},
    .Run = RunExport,
};

}  // namespace quarvel_cli
