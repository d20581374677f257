// quarvel-levels-render: the `render` and `thumbnail` commands of quarvel-levels, in a
// program of their own because they are the only ones that need QtGui; quarvel-levels runs
// it with the command's name first. render draws with the editor's grid painting and
// tile pictures on the offscreen platform: no display server is needed or contacted. It
// paints into images of its own size and draws its labels in a pixel font of its own, so
// scale factors, font DPI and the fonts installed change no pixel.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/LabelFont.h"
#include "cli/PictureOutput.h"
#include "cli/SetFiles.h"
#include "cli/Thumbnail.h"
#include "model/LevelCheck.h"
#include "painting/GridPainting.h"

namespace {

using namespace quarvel_cli;

constexpr OptionSpec kOptions[] = {{"--output", 'o', true}, {"--level", 0, true}, {"--scale", 0, true}};
constexpr int kMaxScale = 16;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;  // 512 MB as 32-bit pixels

// Contact sheet layout: a margin around every level and a label strip above each.
constexpr int kSheetColumns = 8;
constexpr int kMargin = 8;
constexpr int kLabelHeight = 18;
const QColor kSheetBackground(0xef, 0xef, 0xef);

struct Request {
  std::string File;
  std::string Output;
  int Level = 0;  // 1..256, or 0 for the contact sheet
  int Scale = 1;
};

Request ReadRequest(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.empty()) throw CliError("render", "No file given");
  if (parsed.Operands.size() > 1) throw CliError(parsed.Operands[1], "Unexpected argument");
  Request request;
  request.File = parsed.Operands[0];
  const auto output = parsed.Values.find("--output");
  if (output == parsed.Values.end() || output->second.empty()) throw CliError("-o", "No output file given");
  request.Output = output->second;
  if (request.Output != kStandardStream) {
    const std::string ending = request.Output.size() >= 4 ? request.Output.substr(request.Output.size() - 4) : "";
    if (ending.size() != 4 || ending[0] != '.' || (ending[1] | 0x20) != 'p' || (ending[2] | 0x20) != 'n' ||
        (ending[3] | 0x20) != 'g')
      throw CliError(request.Output, "Not a PNG name: the output ends in .png, or is - for standard output");
    if (request.File != kStandardStream && SameFile(request.File, request.Output))
      throw CliError(request.Output, "Is the level set being drawn: render never writes over its input");
  }
  if (const auto level = parsed.Values.find("--level"); level != parsed.Values.end()) {
    request.Level = ParseNumberInRange("--level", level->second, 1, quarvel::kLevelCount);
  }
  if (const auto scale = parsed.Values.find("--scale"); scale != parsed.Values.end()) {
    request.Scale = ParseNumberInRange("--scale", scale->second, 1, kMaxScale);
  }
  return request;
}

QImage ContactSheet(const quarvel::LevelSet& set, const std::vector<int>& levels) {
  const int count = static_cast<int>(levels.size());
  const int columns = std::min(count, kSheetColumns);
  const int rows = (count + columns - 1) / columns;
  const int tileWidth = GridPainting::kWidth + kMargin;
  const int tileHeight = kLabelHeight + GridPainting::kHeight + kMargin;
  QImage sheet(kMargin + columns * tileWidth, kMargin + rows * tileHeight, QImage::Format_RGB32);
  sheet.fill(kSheetBackground);
  for (int i = 0; i < count; ++i) {
    DrawLabel(sheet, kMargin + (i % columns) * tileWidth,
              kMargin + (i / columns) * tileHeight + (kLabelHeight - kLabelGlyphHeight) / 2,
              "Level " + std::to_string(levels[static_cast<std::size_t>(i)] + 1), Qt::black);
  }
  QPainter painter(&sheet);
  const GridPainting::GridColours colours = GridPainting::StandardColours();
  for (int i = 0; i < count; ++i) {
    const int left = kMargin + (i % columns) * tileWidth;
    const int top = kMargin + (i / columns) * tileHeight;
    painter.save();
    painter.translate(left, top + kLabelHeight);
    GridPainting::PaintLevel(painter, colours, set, levels[static_cast<std::size_t>(i)]);
    painter.restore();
  }
  return sheet;
}

// Every pixel becomes a square of scale x scale.
QImage Enlarge(const QImage& image, int scale) {
  if (scale == 1) return image;
  QImage out(image.width() * scale, image.height() * scale, QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y / scale));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) to[x] = from[x / scale];
  }
  return out;
}

int Render(std::span<char* const> args, char* programName) {
  const Request request = ReadRequest(args);

  auto set = std::make_unique<quarvel::LevelSet>();
  ReadSet(request.File, *set);
  std::vector<int> levels;
  if (request.Level != 0) {
    levels.push_back(request.Level - 1);
  } else {
    for (int index = 0; index < quarvel::kLevelCount; ++index)
      if (quarvel::IsLevelUsed((*set)[static_cast<std::size_t>(index)])) levels.push_back(index);
    if (levels.empty()) throw CliError(request.File, "No level used, nothing to draw");
  }

  // The offscreen platform, whatever the environment says: no display is ever opened.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  KeepQtQuiet("render");
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  QGuiApplication application(qtArgc, qtArgv);

  const QImage picture = request.Level != 0
                             ? GridPainting::LevelImage(*set, levels.front(), GridPainting::StandardColours())
                             : ContactSheet(*set, levels);
  const std::int64_t pixels = std::int64_t{picture.width()} * picture.height();
  if (pixels * request.Scale * request.Scale > kMaxPixels) {
    int largest = 1;
    while ((largest + 1) * (largest + 1) * pixels <= kMaxPixels) ++largest;
    throw CliError("--scale " + std::to_string(request.Scale),
                   "Picture too large: the largest scale for this set is " + std::to_string(largest));
  }

  WritePng(Enlarge(picture, request.Scale), request.Output);
  return kStatusOk;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const std::span<char* const> args(argv + 2, static_cast<std::size_t>(argc > 1 ? argc - 2 : 0));
  if (command == "render") return Render(args, argv[0]);
  if (command == "thumbnail") return RunThumbnail(args);
  throw CliError(argc > 0 ? argv[0] : "quarvel-levels-render", "Run by quarvel-levels render and thumbnail only");
}

}  // namespace

int main(int argc, char** argv) { return RunReportingErrors(Run, argc, argv); }
