// `quarvel-levels thumbnail`: the picture file managers show for a level set. Thumbnail
// services run a thumbnailer with no display, no home folder and a bare environment,
// perhaps in a sandbox that shows it only the set and the output's folder, and stop it
// after a few seconds. The core draws the grid in memory with no toolkit, and the output
// is written only once the picture is whole.
#include <cstdint>
#include <memory>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PictureOutput.h"
#include "cli/SetFiles.h"
#include "files/DagFormat.h"
#include "files/SystemFiles.h"
#include "model/LevelCheck.h"
#include "picture/GridPicture.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--size", 's', true}};
constexpr int kDefaultSize = 256;
constexpr int kMinSize = 32;  // cells of one pixel still fit
constexpr int kMaxSize = 4096;

// The first level used; in a set with none, level 1, the empty grid the editor opens it on.
int ShownLevel(const quarvel::LevelSet& set) {
  for (int level = 0; level < quarvel::kLevelCount; ++level)
    if (quarvel::IsLevelUsed(set[static_cast<std::size_t>(level)])) return level;
  return 0;
}

// An existing file that begins as a level set does: a slip of the arguments never paints
// over a set.
bool HoldsLevelSet(const std::string& path) {
  std::uint8_t start[quarvel::kHeaderSize] = {};
  try {
    return IsLevelSetHeader({start, quarvel::ReadRegularFileStart(path, start)});
  } catch (const quarvel::EInOutError&) {
    return false;  // missing, or not a file: the write says what is wrong
  }
}

int RunThumbnail(const ParsedArgs& parsed) {
  const std::string& file = parsed.Operands[0];
  const std::string& output = parsed.Operands[1];
  int size = kDefaultSize;
  if (const auto given = parsed.Values.find("--size"); given != parsed.Values.end())
    size = ParseNumberInRange("--size", given->second, kMinSize, kMaxSize);
  if (output != kStandardStream) {
    if (file != kStandardStream && quarvel::SameFile(file, output))
      throw CliError(output, "Is the level set being drawn: thumbnail never writes over its input");
    if (HoldsLevelSet(output)) throw CliError(output, "Is a level set: thumbnail never writes over one");
  }

  auto set = std::make_unique<quarvel::LevelSet>();
  if (!ReadSet(file, *set, TextAllowed::No).LevelSetHeader)
    throw CliError(file, NotALevelSet("thumbnail draws only a level set"));
  WritePng(quarvel::GridPicture(*set, ShownLevel(*set), quarvel::StandardGridColours(), quarvel::FitGridToHeight(size)),
           output);
  return kStatusOk;
}

}  // namespace

extern const Command kThumbnailCommand{
    .Name = "thumbnail",
    .Brief = "[-s SIZE] FILE OUT",
    .Summary = "a PNG of the first level used, for file managers",
    .Usage = "[-s SIZE] FILE OUT",
    .Help =
        "Writes a PNG of the first level used in FILE, as the editor's grid shows it, fitted into\n"
        "SIZE x SIZE pixels in whole pixels with no smoothing; a set with no level used gives\n"
        "level 1's empty grid. The thumbnailer of file managers runs it. FILE must begin with the\n"
        "level set header 44 41 47 00; on any error nothing is written. Needs no display, home\n"
        "folder or environment. FILE - is standard input.\n"
        "\n"
        "  -s, --size SIZE                the largest side, 32 to 4096 pixels (default 256)\n"
        "  OUT                            the picture (replaced safely), or - for standard\n"
        "                                 output; never FILE, nor any level set\n",
    .Options = kOptions,
    .MinOperands = 2,
    .MaxOperands = 2,
    .Missing = {"No file given", "No output file given"},
    .Run = RunThumbnail,
};

}  // namespace quarvel_cli
