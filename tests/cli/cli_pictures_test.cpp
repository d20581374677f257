// render and thumbnail against pictures the Qt-painted program made before the drawing
// moved into the core (tests/cli/pictures): the same set, every tile code in it, drawn at
// scales 1 to 3, as a contact sheet and as thumbnails of 32, 128 and 512 pixels, must
// decode to the very same pixels. The PNG bytes may differ (another encoder); the
// pixels may not.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "CliFixtures.h"
#include "FileBytes.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::DagFile;
using quarvel_test::WriteRaw;

struct Decoded {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

Decoded DecodePng(const std::string& path) {
  Decoded d;
  int channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(stbi_load(path.c_str(), &d.width, &d.height, &channels, 3),
                                                   stbi_image_free);
  if (pixels) d.rgb.assign(pixels.get(), pixels.get() + std::size_t(d.width) * std::size_t(d.height) * 3);
  return d;
}

DagLevel Diagonal(int code) {
  std::vector<CellCode> cells;
  for (int i = 0; i < 11; ++i) cells.push_back({i, i, code});
  return Level(30, 0, 1, 0, 0, cells);
}

// Level 1 holds every tile code, in the corners too, and codes without a picture (10, 11,
// -1, -32768, 32767); seven more levels used further on, up to level 256, so the sheet
// wraps to a second row and its labels use every digit.
std::vector<DagLevel> EveryCodeSet() {
  std::vector<DagLevel> levels(256);
  levels[0] = Level(60, 0, 4, 0, 0, {{0, 0, 5},  {10, 0, 6}, {0, 12, 7},    {10, 12, 1},     {10, 11, 9}, {1, 12, 8},
                                     {5, 0, 10}, {6, 0, -1}, {7, 0, 32767}, {10, 6, 4},      {0, 6, 3},   {1, 1, 1},
                                     {2, 2, 2},  {3, 3, 3},  {4, 4, 4},     {5, 5, 5},       {6, 6, 6},   {7, 7, 7},
                                     {8, 8, 8},  {9, 9, 9},  {2, 10, 0},    {3, 10, -32768}, {4, 10, 11}});
  levels[1] = Diagonal(2);
  const std::pair<int, int> more[] = {{23, 3}, {45, 4}, {67, 6}, {89, 7}, {130, 8}, {200, 9}, {256, 1}};
  for (const auto& [number, code] : more) levels[std::size_t(number - 1)] = Diagonal(code);
  return levels;
}

struct PictureCase {
  std::string name;
  const char* reference;          // in tests/cli/pictures
  std::vector<std::string> args;  // FILE and OUT are added: render FILE ARGS -o OUT, thumbnail ARGS FILE OUT
};

class PicturesTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PicturesTest, SamePixelsAsBefore) {
  const PictureCase& c = GetParam();
  TempDir dir;
  const std::string set = dir / "every-code.dag", out = dir / "out.png";
  WriteRaw(set, DagFile(EveryCodeSet()));
  std::vector<std::string> args = c.args;
  if (args[0] == "render") {
    args.insert(args.begin() + 1, set);
    args.insert(args.end(), {"-o", out});
  } else {
    args.insert(args.end(), {set, out});
  }
  const ProgramRun run = RunLevels(dir, args);
  ASSERT_EQ(run.status, 0) << run.err;
  const Decoded want = DecodePng(std::string(QUARVEL_CLI_PICTURES) + "/" + c.reference);
  const Decoded got = DecodePng(out);
  ASSERT_FALSE(want.rgb.empty()) << c.reference;
  ASSERT_EQ(got.width, want.width);
  ASSERT_EQ(got.height, want.height);
  for (std::size_t i = 0; i < want.rgb.size(); i += 3)
    ASSERT_TRUE(std::equal(want.rgb.begin() + i, want.rgb.begin() + i + 3, got.rgb.begin() + i))
        << c.reference << ": first difference at pixel " << (i / 3) % std::size_t(want.width) << ","
        << (i / 3) / std::size_t(want.width);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PicturesTest,
    testing::Values(PictureCase{"RenderLevel1", "level1-scale1.png", {"render", "--level", "1"}},
                    PictureCase{"RenderLevel1Scale2", "level1-scale2.png", {"render", "--level", "1", "--scale", "2"}},
                    PictureCase{"RenderLevel1Scale3", "level1-scale3.png", {"render", "--level", "1", "--scale", "3"}},
                    PictureCase{"RenderSheet", "sheet.png", {"render"}},
                    PictureCase{"Thumbnail32", "thumb32.png", {"thumbnail", "-s", "32"}},
                    PictureCase{"Thumbnail128", "thumb128.png", {"thumbnail", "-s", "128"}},
                    PictureCase{"Thumbnail512", "thumb512.png", {"thumbnail", "-s", "512"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
