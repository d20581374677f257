// `quarvel-levels render`: a level as the editor's grid shows it, or a contact sheet of
// every level used, drawn by the core's grid picture (no toolkit, no display; the labels
// in a pixel font of their own, so no installed font or DPI changes a pixel).
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/PictureOutput.h"
#include "cli/SetFiles.h"
#include "model/LevelCheck.h"
#include "picture/ContactSheet.h"
#include "picture/GridPicture.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {kOutputOption, {"--level", 0, true}, {"--scale", 0, true}, kForceOption};
constexpr int kMaxScale = 16;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;  // 512 MB as 32-bit pixels

struct Request {
  std::string File;
  std::string Output;
  int Level = 0;  // 1..256, or 0 for the contact sheet
  int Scale = 1;
  OutputRule Rule;
};

Request ReadRequest(const ParsedArgs& parsed) {
  Request request;
  request.File = parsed.Operands[0];
  request.Output = GivenOutput(parsed).value_or("");
  if (request.Output.empty()) throw CliError("-o", "No output file given");
  if (request.Output != kStandardStream) {
    const std::string ending = request.Output.size() >= 4 ? request.Output.substr(request.Output.size() - 4) : "";
    if (ending.size() != 4 || ending[0] != '.' || (ending[1] | 0x20) != 'p' || (ending[2] | 0x20) != 'n' ||
        (ending[3] | 0x20) != 'g')
      throw CliError(request.Output, "Not a PNG name: the output ends in .png, or is - for standard output");
  }
  request.Rule = RuleOfOutput(parsed, quarvel::ContentKind::Png, {request.File});
  CheckOutput(request.Output, request.Rule);
  request.Level = parsed.Number("--level", 1, quarvel::kLevelCount, 0);
  request.Scale = parsed.Number("--scale", 1, kMaxScale, 1);
  return request;
}

int RunRender(const ParsedArgs& args) {
  const Request request = ReadRequest(args);

  auto set = std::make_unique<quarvel::LevelSet>();
  ReadSet(request.File, *set);
  const std::vector<int> levels = request.Level != 0 ? std::vector<int>{request.Level - 1} : quarvel::UsedLevels(*set);
  if (levels.empty()) throw CliError(request.File, "No level used, nothing to draw");

  const quarvel::Picture picture = request.Level != 0
                                       ? quarvel::GridPicture(*set, levels.front(), quarvel::StandardGridColours())
                                       : quarvel::ContactSheet(*set, levels);
  const std::int64_t pixels = std::int64_t{picture.Width} * picture.Height;
  if (pixels * request.Scale * request.Scale > kMaxPixels) {
    int largest = 1;
    while ((largest + 1) * (largest + 1) * pixels <= kMaxPixels) ++largest;
    throw CliError("--scale " + std::to_string(request.Scale),
                   "Picture too large: the largest scale for this set is " + std::to_string(largest));
  }

  WritePng(quarvel::Enlarge(picture, request.Scale), request.Output, request.Rule);
  return kStatusOk;
}

}  // namespace

extern const Command kRenderCommand{
    .Name = "render",
    .Brief = "FILE -o OUT.png",
    .Summary = "draw a level, or a contact sheet of every level used",
    .Usage = "FILE -o OUT.png [--level N] [--scale K] [--force]",
    .Help =
        "Draws level N of FILE as the editor's grid shows it, without the current cell's marks;\n"
        "without --level, a contact sheet of every level used, each labelled with its number.\n"
        "Needs no display. FILE - is standard input.\n"
        "\n"
        "  -o, --output OUT.png           the picture to write (replaced safely), or - for\n"
        "                                 standard output; never FILE, and a file already there\n"
        "                                 only when it is a PNG\n"
        "  --level N                      the level, 1 to 256\n"
        "  --scale K                      enlarge K times, 1 to 16, pixel for pixel (default 1)\n"
        "  --force                        replace OUT even when it is not a PNG\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = 1,
    .Missing = {"No file given"},
    .Run = RunRender,
};

}  // namespace quarvel_cli
