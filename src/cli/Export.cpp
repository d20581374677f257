// quarvel-levels export: a level set file as text a person can read, edit and review.
#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/SetFiles.h"
#include "files/HexBytes.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {kOutputOption, kForceOption, {"--textconv", 0, false}};

constexpr std::size_t kDumpLine = 16;

// For git: a file that is no readable set, shown all the same so that the history goes
// on and a change to it shows. The first line says why; the bytes follow, 16 a line, with
// their offset and, at the end, those that are printable ASCII.
std::string UnreadableText(const std::string& why, std::span<const std::uint8_t> bytes) {
  std::string text = "quarvel-levels: not a readable level set: " + why + "\n";
  if (bytes.empty()) return text;
  text += Counted(static_cast<long long>(bytes.size()), "byte") + ":\n";
  for (std::size_t at = 0; at < bytes.size(); at += kDumpLine) {
    const std::span<const std::uint8_t> line = bytes.subspan(at, std::min(kDumpLine, bytes.size() - at));
    char offset[32];
    std::snprintf(offset, sizeof offset, "%08llx  ", static_cast<unsigned long long>(at));
    text += offset;
    std::string hex = quarvel::HexBytes(line, " ");
    hex.resize(kDumpLine * 3, ' ');
    text += hex;
    text += '|';
    for (const std::uint8_t b : line) text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    text += "|\n";
  }
  return text;
}

int RunExport(const ParsedArgs& parsed) {
  const std::string& file = parsed.Operands[0];
  const std::string out = GivenOutput(parsed).value_or(kStandardStream);
  const OutputRule rule = RuleOfOutput(parsed, quarvel::ContentKind::Text, {file});
  CheckOutput(out, rule);
  // Always read as a level set file: every file the reader takes gives its own text back.
  std::string text;
  if (!parsed.Has("--textconv")) {
    text = quarvel::WriteTextForm(ReadSetImage(file, ReadInput(file), TextAllowed::No));
  } else {
    std::vector<std::uint8_t> bytes;
    try {
      bytes = ReadInput(file);
      text = quarvel::WriteTextForm(ReadSetImage(file, bytes, TextAllowed::No));
    } catch (const CliError& error) {
      text = UnreadableText((error.Place.empty() ? "" : error.Place + ": ") + error.what(), bytes);
    }
  }
  WriteOutput(out, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, rule);
  return kStatusOk;
}

}  // namespace

extern const Command kExportCommand{
    .Name = "export",
    .Brief = "SET [-o OUT]",
    .Summary = "the set as text to read, edit and review",
    .Usage = "SET [-o OUT|-] [--force] [--textconv]",
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
        "  --force                        replace OUT even when it is not a set's text\n"
        "  --textconv                     for git's textconv: a file that is no readable set gives\n"
        "                                 a line that says why and its bytes in hexadecimal,\n"
        "                                 with status 0, so that git's history goes on\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = 1,
    .Missing = {"No file given"},
    .Run = RunExport,
};

}  // namespace quarvel_cli
