// `quarvel-levels thumbnail`: the picture file managers show for a level set. Thumbnail
// services run a thumbnailer with no display, no home folder and a bare environment,
// perhaps in a sandbox that shows it only the set and the output's folder, and stop it
// after a few seconds. The core draws the grid in memory with no toolkit, and the output
// is written only once the picture is whole.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/PictureOutput.h"
#include "cli/SetFiles.h"
#include "model/LevelCheck.h"
#include "picture/GridPicture.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--size", 's', true}, kOutputOption, kForceOption};
constexpr int kDefaultSize = 256;
constexpr int kMinSize = 32;  // cells of one pixel still fit
constexpr int kMaxSize = 4096;

// The first level used; in a set with none, level 1, the empty grid the editor opens it on.
int ShownLevel(const quarvel::LevelSet& set) {
  const std::vector<std::int32_t> used = quarvel::UsedLevels(set);
  return used.empty() ? 0 : used.front();
}

int RunThumbnail(const ParsedArgs& parsed) {
  const std::string& file = parsed.Operands[0];
  // OUT as the thumbnailer entry gives it, after FILE, or as every other command takes it.
  const std::optional<std::string> option = GivenOutput(parsed);
  if (option && parsed.Operands.size() > 1)
    throw CliError(parsed.Operands[1], "Unexpected argument: the output is given by -o");
  if (!option && parsed.Operands.size() < 2) throw CliError("thumbnail", "No output file given");
  const std::string& output = option ? *option : parsed.Operands[1];
  const int size = parsed.Number("--size", kMinSize, kMaxSize, kDefaultSize);
  const OutputRule rule = RuleOfOutput(parsed, quarvel::ContentKind::Png, {file});
  CheckOutput(output, rule);

  auto set = std::make_unique<quarvel::LevelSet>();
  if (!ReadSet(file, *set, TextAllowed::No).LevelSetHeader)
    throw CliError(file, NotALevelSet("thumbnail draws only a level set"));
  WritePng(quarvel::GridPicture(*set, ShownLevel(*set), quarvel::StandardGridColours(), quarvel::FitGridToHeight(size)),
           output, rule);
  return kStatusOk;
}

}  // namespace

extern const Command kThumbnailCommand{
    .Name = "thumbnail",
    .Brief = "[-s SIZE] FILE OUT",
    .Summary = "a PNG of the first level used, for file managers",
    .Usage = "[-s SIZE] [--force] FILE OUT|-o OUT",
    .Help =
        "Writes a PNG of the first level used in FILE, as the editor's grid shows it, fitted into\n"
        "SIZE x SIZE pixels in whole pixels with no smoothing; a set with no level used gives\n"
        "level 1's empty grid. The thumbnailer of file managers runs it. FILE must begin with the\n"
        "level set header 44 41 47 00; on any error nothing is written. Needs no display, home\n"
        "folder or environment. FILE - is standard input.\n"
        "\n"
        "  -s, --size SIZE                the largest side, 32 to 4096 pixels (default 256)\n"
        "  OUT                            the picture (replaced safely), or - for standard\n"
        "                                 output; never FILE, and a file already there only\n"
        "                                 when it is a PNG\n"
        "  -o, --output OUT               the same, in place of the operand OUT\n"
        "  --force                        replace OUT even when it is not a PNG\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = 2,
    .Missing = {"No file given"},
    .Run = RunThumbnail,
};

}  // namespace quarvel_cli
