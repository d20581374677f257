// The core's pictures apart from any front end: the XPM reader and its refusals, the tile
// pictures' masks, the stretch of a tile over a cell, the grid at whole ratios as the
// 100 % grid enlarged, and the PNG bytes decoded back (by stb_image, not the encoder).
// The pixels against the editor's grid are compared in tests/qt/ui (grid_picture_test), and
// against pictures the program made before, in tests/cli (cli_pictures_test).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "picture/GridPicture.h"
#include "picture/PngFile.h"
#include "picture/TilePixels.h"

namespace {

using quarvel::Picture;

TEST(Xpm, ReadsColoursAndTransparency) {
  const char* const xpm[] = {"3 2 3 1", ". c None", "a c #FF8000", "B c #00a0ff", "a.B", "BBa"};
  const Picture picture = quarvel::ReadXpm(xpm);
  ASSERT_EQ(picture.Width, 3);
  ASSERT_EQ(picture.Height, 2);
  EXPECT_EQ(picture.Pixels,
            (std::vector<quarvel::Rgb>{0xFFFF8000u, 0u, 0xFF00A0FFu, 0xFF00A0FFu, 0xFF00A0FFu, 0xFFFF8000u}));
}

TEST(Xpm, RefusesWhatItDoesNotRead) {
  const std::vector<std::vector<const char*>> bad = {
      {},
      {"2 1 1 2", "ab c #000000", "abab"},     // two characters a pixel
      {"2 1 1 1", "a c #000000"},              // a row missing
      {"2 1 1 1", "a c #000000", "aa", "aa"},  // a row too many
      {"2 1 1 1", "a c black", "aa"},          // a colour by name
      {"2 1 1 1", "a c #00000G", "aa"},        // not hex
      {"2 1 1 1", "a s #000000", "aa"},        // not a colour key
      {"2 1 1 1", "a c #000000", "ab"},        // a pixel of no colour listed
      {"2 1 1 1", "a c #000000", "aaa"},       // a row too wide
      {"0 1 1 1", "a c #000000", ""},          // no width
  };
  for (const auto& lines : bad) EXPECT_THROW(quarvel::ReadXpm(lines), std::invalid_argument) << lines.size();
}

TEST(TilePictures, TenOfTwentySquareWithHardMasks) {
  for (int code = 0; code < quarvel::kTileCount; ++code) {
    const Picture& tile = quarvel::TilePicture(code);
    ASSERT_EQ(tile.Width, 20);
    ASSERT_EQ(tile.Height, 20);
    for (const quarvel::Rgb pixel : tile.Pixels) EXPECT_TRUE(pixel == 0 || quarvel::IsOpaque(pixel)) << code;
  }
  for (int code : {-1, 10, 32767, -32768}) EXPECT_TRUE(quarvel::TilePicture(code).IsNull()) << code;
}

// Whole pixels in order: from the first source pixel to at most the last, never back, and
// when enlarging none left out; at 20 and 40 pixels exactly the picture and its double.
TEST(TileStretch, NearestPixelsInOrder) {
  for (int cell = 1; cell <= 400; ++cell) {
    int previous = 0;
    for (int i = 0; i < cell; ++i) {
      const int source = quarvel::StretchedTilePixel(cell, i);
      ASSERT_TRUE(source >= previous && source <= 19) << cell << " " << i;
      ASSERT_TRUE(cell < 20 || source - previous <= 1) << cell << " " << i;
      previous = source;
    }
    EXPECT_TRUE(cell < 20 || previous == 19) << cell;
  }
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(quarvel::StretchedTilePixel(20, i / 2), i / 2);
    EXPECT_EQ(quarvel::StretchedTilePixel(40, i), i / 2);
  }
}

// At a whole device pixel ratio the grid is the 100 % one enlarged pixel for pixel, the
// focus mark and the highlight included.
TEST(GridPicture, WholeRatiosEnlargeTheHundredPercentGrid) {
  auto set = std::make_unique<quarvel::LevelSet>();
  quarvel::ClearLevelSet(*set);
  for (int code = -1; code <= 11; ++code) quarvel::WriteCell(*set, 0, (code + 1) % 11, (code + 1) / 11 * 3, code);
  const quarvel::GridColours colours = quarvel::StandardGridColours();
  for (const quarvel::CurrentCell current : {quarvel::CurrentCell{3, 0, true}, quarvel::CurrentCell{10, 12, false}}) {
    const Picture base = quarvel::GridPicture(*set, 0, colours, quarvel::GridAtRatio(1), current);
    ASSERT_EQ(base.Width, 241);
    ASSERT_EQ(base.Height, 281);
    for (int ratio : {2, 3}) {
      EXPECT_TRUE(quarvel::GridPicture(*set, 0, colours, quarvel::GridAtRatio(ratio), current) ==
                  quarvel::Enlarge(base, ratio))
          << ratio << (current.focused ? " focused" : " highlighted");
    }
  }
}

TEST(Png, DecodesToThePicturesPixels) {
  Picture picture(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) picture.At(x, y) = quarvel::OpaqueRgb(x * 60, y * 100, (x * 7 + y * 13) * 9);
  const std::vector<std::uint8_t> png = quarvel::EncodePng(picture);
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(png.data(), int(png.size()), &width, &height, &channels, 0), stbi_image_free);
  ASSERT_TRUE(pixels);
  ASSERT_EQ(width, 5);
  ASSERT_EQ(height, 3);
  ASSERT_EQ(channels, 3);  // RGB, no alpha
  for (int i = 0; i < 15; ++i) {
    const quarvel::Rgb pixel = picture.Pixels[std::size_t(i)];
    EXPECT_EQ(quarvel::OpaqueRgb(pixels.get()[3 * i], pixels.get()[3 * i + 1], pixels.get()[3 * i + 2]), pixel) << i;
  }
}

}  // namespace
