// The region effects, pixel by pixel, with every expected value written out from the rule.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "effects/colour_conversions.h"
#include "effects/mosaic.h"
#include "effects/surprise.h"
#include "pixel_testing.h"
#include "platform/bit_blt.h"

namespace kepa {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;

// An "F", red on blue, with a few grey-test pixels: no flip or red/blue swap maps it onto
// itself.
Surface screenWithF(std::int32_t width, std::int32_t height) {
  Surface screen(width, height, Colour(kBlue).pixel());
  // Smaller screens show the part of the picture that fits.
  const auto set = [&](std::int32_t x, std::int32_t y, std::uint32_t colour) {
    if (screen.contains(x, y)) screen.row(y)[x] = Colour(colour).pixel();
  };
  for (std::int32_t y = 5; y < 30; ++y)
    set(8, y, kRed);  // the stem
  for (std::int32_t x = 8; x < 30; ++x)
    set(x, 5, kRed);  // the top bar
  for (std::int32_t x = 8; x < 22; ++x)
    set(x, 16, kRed);   // the middle bar
  set(3, 3, 0x1E140A);  // (10, 20, 30)
  set(4, 3, 0x000101);  // (1, 1, 0)
  set(5, 3, 0xFEFFFF);  // (255, 255, 254)
  set(6, 4, 0x123456);
  return screen;
}

std::uint32_t at(const Surface& surface, std::int64_t x, std::int64_t y) {
  if (!surface.contains(x, y)) return 0;  // black outside, as block copies read it
  return Colour::fromPixel(surface.row(y)[x]).value();
}

// The region image as a selection leaves it: the region's cells, then the background.
struct Scene {
  Scene(std::int32_t screenWidth, std::int32_t screenHeight, Region r)
      : screen(screenWithF(screenWidth, screenHeight)),
        region(r),
        image(r.width + 1, r.height + 1),
        work(r.width + 1, r.height + 1) {
    for (Picture* picture : {&image, &work}) {
      BitBlt(picture->hDC(), 0, 0, r.width, r.height, screenDc, r.startX + 1, r.startY + 1,
             RasterOp::SRCCOPY);
    }
  }
  // Checks every pixel of the image against `expected(i, j)`.
  void expectImage(const std::function<std::uint32_t(std::int32_t, std::int32_t)>& expected,
                   const char* what) const {
    for (std::int32_t j = 0; j < image.height(); ++j) {
      for (std::int32_t i = 0; i < image.width(); ++i) {
        ASSERT_EQ(at(image.image(), i, j), expected(i, j)) << what << " at " << i << "," << j;
      }
    }
  }
  // The screen pixel of region cell (i, j), shifted by (dx, dy).
  [[nodiscard]] std::uint32_t cell(std::int32_t i, std::int32_t j, std::int32_t dx = 0,
                                   std::int32_t dy = 0) const {
    return at(screen, region.startX + 1 + dx + i, region.startY + 1 + dy + j);
  }
  [[nodiscard]] bool extra(std::int32_t i, std::int32_t j) const {
    return i >= region.width || j >= region.height;
  }

  Surface screen;
  DeviceContext screenDc{screen};
  Region region;
  Picture image;
  Picture work;
};

std::uint32_t byChannel(std::uint32_t a, std::uint32_t b, int (*rule)(int, int)) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    result |= static_cast<std::uint32_t>(rule(static_cast<int>((a >> shift) & 0xFF),
                                              static_cast<int>((b >> shift) & 0xFF)))
              << shift;
  }
  return result;
}

TEST(ColourScale, KeepsOneChannelAndFillsTheRestWithTheMask) {
  const struct {
    std::int32_t index;
    std::uint32_t mask;
  } cases[] = {{1, 0x0000FF}, {2, 0x00FF00}, {3, 0xFF0000}};
  for (const auto& c : cases) {
    for (const Region region : {Region{2, 1, 47, 33}, Region{7, 4, 1, 1}}) {
      Scene scene(60, 45, region);
      ASSERT_TRUE(colourScale(c.index, scene.region, scene.screenDc, scene.image));
      scene.expectImage(
          [&](std::int32_t i, std::int32_t j) {
            return scene.extra(i, j) ? c.mask : scene.cell(i, j) & c.mask;
          },
          "scale");
      EXPECT_EQ(scene.image.backColor().value(), c.mask);
    }
  }
  // White gives the pure mask; an index outside 1-3 changes nothing.
  Scene white(20, 20, {0, 0, 5, 5});
  white.screen.fill(Colour(0xFFFFFF).pixel());
  colourScale(1, white.region, white.screenDc, white.image);
  white.expectImage([](std::int32_t, std::int32_t) { return kRed; }, "white");
  EXPECT_FALSE(colourScale(4, white.region, white.screenDc, white.image));
  EXPECT_FALSE(colourScale(0, white.region, white.screenDc, white.image));
  white.expectImage([](std::int32_t, std::int32_t) { return kRed; }, "index 4");
}

TEST(Negative, InvertsTheCellsAndKeepsTheLastBackground) {
  Scene scene(60, 45, {2, 1, 47, 33});
  negative(scene.region, scene.screenDc, scene.image);  // background still the system white
  scene.expectImage(
      [&](std::int32_t i, std::int32_t j) {
        return scene.extra(i, j)
                   ? 0xFFFFFFU
                   : byChannel(scene.cell(i, j), 0, [](int s, int) { return 255 - s; });
      },
      "negative");
  colourScale(1, scene.region, scene.screenDc, scene.image);  // the background becomes red
  scene.screen.fill(Colour(0).pixel());                       // a black region
  negative(scene.region, scene.screenDc, scene.image);
  scene.expectImage(
      [&](std::int32_t i, std::int32_t j) { return scene.extra(i, j) ? kRed : 0xFFFFFFU; },
      "negative after red");
}

TEST(Grey, AveragesWithHalvesToEvenAndFillsTheExtraColumnAndRowFromTheScreen) {
  // Cells (0..2, 0) are the pixels (10, 20, 30), (1, 1, 0) and (255, 255, 254).
  Scene scene(60, 45, {2, 2, 47, 33});
  PixelBuffer palette{};
  grey(scene.region, scene.screenDc, scene.image, palette);
  const auto greyOf = [](std::uint32_t c) {
    const std::uint32_t v = ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) + 1) / 3;
    return v | v << 8 | v << 16;
  };
  EXPECT_EQ(at(scene.image.image(), 0, 0), 0x141414U);  // 20
  EXPECT_EQ(at(scene.image.image(), 1, 0), 0x010101U);  // (2 + 1) div 3 = 1
  EXPECT_EQ(at(scene.image.image(), 2, 0), 0xFFFFFFU);  // 255
  // Every pixel of the image, extra column and row included, is the grey of the screen
  // pixel it maps to; the screen ends at column 59, so nothing is off the screen here.
  scene.expectImage([&](std::int32_t i, std::int32_t j) { return greyOf(scene.cell(i, j)); },
                    "grey");
  for (int k = 0; k < 256; ++k) {
    EXPECT_EQ(
        palette[static_cast<std::size_t>(k)],
        (std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k),
                                     static_cast<std::uint8_t>(k)}));
  }
  EXPECT_EQ(scene.image.backColor().value(), 0U);

  // At the screen's corner the reads beyond it give black.
  Scene corner(20, 20, {14, 14, 5, 5});
  grey(corner.region, corner.screenDc, corner.image, palette);
  corner.expectImage([&](std::int32_t i, std::int32_t j) { return greyOf(corner.cell(i, j)); },
                     "corner");
  EXPECT_EQ(at(corner.image.image(), 5, 5), 0U);  // screen (20, 20): off the screen

  // An image larger than the loop reaches keeps the black fill beyond it.
  Scene large(20, 20, {2, 2, 3, 3});
  large.image.setSize(8, 8);
  grey(large.region, large.screenDc, large.image, palette);
  large.expectImage([&](std::int32_t i,
                        std::int32_t j) { return i < 5 && j < 5 ? greyOf(large.cell(i, j)) : 0U; },
                    "large");

  std::uint8_t r = 0, g = 0, b = 0;
  SplitRGB(static_cast<std::int32_t>(0x7F563412), r, g, b);
  EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{0x12, 0x34, 0x56}));
}

TEST(Sepia, KeepsBlueThenAddsThePixelTenRightAndBelow) {
  for (const Region region : {Region{2, 1, 47, 33}, Region{30, 20, 25, 20}}) {
    Scene scene(60, 45, region);
    sepia(scene.region, scene.screenDc, scene.image);
    scene.expectImage(
        [&](std::int32_t i, std::int32_t j) {
          if (scene.extra(i, j)) return kBlue;
          return (scene.cell(i, j) & kBlue) | scene.cell(i, j, 10, 10);  // black beyond the edge
        },
        "sepia");
  }
}

TEST(Conversions, ApplyingTwiceGivesWhatOnceGives) {
  const std::function<void(Scene&)> conversions[] = {
      [](Scene& s) { colourScale(2, s.region, s.screenDc, s.image); },
      [](Scene& s) { negative(s.region, s.screenDc, s.image); },
      [](Scene& s) {
        PixelBuffer palette{};
        grey(s.region, s.screenDc, s.image, palette);
      },
      [](Scene& s) { sepia(s.region, s.screenDc, s.image); },
      [](Scene& s) { mosaic(3, s.region, s.screenDc, s.image, s.work); },
  };
  for (const auto& convert : conversions) {
    Scene once(60, 45, {2, 1, 47, 33});
    Scene twice(60, 45, {2, 1, 47, 33});
    convert(once);
    convert(twice);
    convert(twice);
    EXPECT_EQ(testing::coloursOf(once.image.image()), testing::coloursOf(twice.image.image()));
  }
}

TEST(Mosaic, SizesFollowTheBlockCount) {
  const struct {
    Region region;
    std::int16_t n;
    std::int32_t width, height, workWidth, workHeight;
  } cases[] = {
      {{10, 5, 99, 49}, 3, 99, 48, 33, 16},  // 100 x 50 at level 3
      {{10, 5, 9, 9}, 11, 0, 0, 0, 0},       // 10 x 10 cells at level 11: nothing
      {{10, 5, 8, 20}, 3, 9, 21, 3, 7},      // SelWidth + 1 = 9: full width, 3 blocks
      {{10, 5, 30, 4}, 5, 30, 5, 6, 1},
  };
  for (const auto& c : cases) {
    Scene scene(140, 80, c.region);
    mosaic(c.n, scene.region, scene.screenDc, scene.image, scene.work);
    EXPECT_EQ(scene.image.width(), c.width) << c.n;
    EXPECT_EQ(scene.image.height(), c.height) << c.n;
    EXPECT_EQ(scene.work.width(), c.workWidth) << c.n;
    EXPECT_EQ(scene.work.height(), c.workHeight) << c.n;
    EXPECT_EQ(scene.work.hDC().stretchMode(), StretchMode::COLORONCOLOR);
  }
}

TEST(Mosaic, EachBlockShowsOneKeptPixelStartingAtTheDragPoint) {
  // 48 x 34 screen pixels from the drag point (2, 1) at level 3: 16 x 11 blocks.
  Scene scene(60, 45, {2, 1, 47, 33});
  mosaic(3, scene.region, scene.screenDc, scene.image, scene.work);
  ASSERT_EQ(scene.image.width(), 48);
  ASSERT_EQ(scene.image.height(), 33);
  // The shrink keeps source column 2 + ceil(u * 48 / 16) = 2 + 3u and row 1 + ceil(v * 34 / 11);
  // the enlargement shows work pixel (x * 16 div 48, y * 11 div 34) at (x, y).
  scene.expectImage(
      [&](std::int32_t x, std::int32_t y) {
        const std::int32_t u = x * 16 / 48;
        const std::int32_t v = y * 11 / 34;
        return at(scene.screen, 2 + 3 * u, 1 + (v * 34 + 10) / 11);
      },
      "mosaic");
  // The first block is the drag point's own pixel, above and left of the first cell.
  EXPECT_EQ(at(scene.image.image(), 0, 0), at(scene.screen, 2, 1));

  // Level 3 then level 11 gives what level 11 alone gives.
  Scene alone(60, 45, {2, 1, 47, 33});
  mosaic(11, alone.region, alone.screenDc, alone.image, alone.work);
  mosaic(11, scene.region, scene.screenDc, scene.image, scene.work);
  EXPECT_EQ(testing::coloursOf(scene.image.image()), testing::coloursOf(alone.image.image()));
}

TEST(Surprise, SixOperationsOnWhiteGiveTheTablesResults) {
  // F = 16777215 (red, green and blue at 255).
  const std::uint32_t white = 0xFFFFFF;
  const struct {
    std::int16_t algorithm;
    const char* option;
    std::function<std::uint32_t(std::uint32_t)> cell;
  } table[] = {
      {0, "１ keeps the capture", [](std::uint32_t s) { return s; }},
      {1, "２ black", [](std::uint32_t) { return 0U; }},
      {2, "３ the negative", [](std::uint32_t s) { return 0xFFFFFFU - s; }},
      {3, "４ white", [](std::uint32_t) { return 0xFFFFFFU; }},
      {4, "５ black", [](std::uint32_t) { return 0U; }},
      {5, "６ white", [](std::uint32_t) { return 0xFFFFFFU; }},
  };
  for (const auto& row : table) {
    Scene scene(64, 48, {2, 1, 47, 33});
    scene.image.setBackColor(Colour(0x00FF00));  // the previous command's background
    surprise(Colour(white), row.algorithm, scene.region, scene.screenDc, scene.image);
    scene.expectImage(
        [&](std::int32_t i, std::int32_t j) {
          return scene.extra(i, j) ? white : row.cell(scene.cell(i, j));
        },
        row.option);
    EXPECT_EQ(scene.image.backColor().value(), white);
  }
}

TEST(Surprise, ExtraColumnAndRowShowThePlainFillForEveryOperation) {
  const std::uint32_t fill = 0x3366CC;
  for (std::int16_t algorithm = 0; algorithm <= 5; ++algorithm) {
    Scene scene(64, 48, {0, 0, 47, 33});
    surprise(Colour(fill), algorithm, scene.region, scene.screenDc, scene.image);
    scene.expectImage(
        [&](std::int32_t i, std::int32_t j) {
          return scene.extra(i, j) ? fill
                                   : testing::surpriseRule(algorithm, scene.cell(i, j), fill);
        },
        "operation");
  }
  Scene one(8, 8, {2, 2, 1, 1});
  surprise(Colour(fill), 2, one.region, one.screenDc, one.image);
  EXPECT_EQ(at(one.image.image(), 0, 0), one.cell(0, 0) ^ fill);
  EXPECT_EQ(at(one.image.image(), 1, 1), fill);
  EXPECT_THROW(surprise(Colour(fill), 6, one.region, one.screenDc, one.image), std::out_of_range);
}

TEST(Surprise, RandomDrawsCoverOperationsZeroToFourAndColoursBelowWhite) {
  RandomSource random(12345);
  std::array<int, 6> seen{};
  for (int run = 0; run < 2000; ++run) {
    random.Randomize();
    const SurpriseDraw draw = drawSurprise(random);
    ASSERT_GE(draw.algorithm, 0);
    ASSERT_LE(draw.algorithm, 5);
    ++seen[static_cast<std::size_t>(draw.algorithm)];
    ASSERT_LE(draw.fill.value(), 16777214U);
  }
  for (int algorithm = 0; algorithm < 5; ++algorithm)
    EXPECT_GT(seen[static_cast<std::size_t>(algorithm)], 300) << algorithm;
  EXPECT_EQ(seen[5], 0);  // MERGEPAINT is never drawn
  // Each Randomize starts a new sequence: consecutive runs differ.
  RandomSource again(7);
  again.Randomize();
  const SurpriseDraw first = drawSurprise(again);
  again.Randomize();
  EXPECT_NE(drawSurprise(again).fill, first.fill);
  // F and the operation are the floors of the two draws, in this order.
  RandomSource draws(99);
  RandomSource mirror(99);
  draws.Randomize();
  mirror.Randomize();
  for (int run = 0; run < 50; ++run) {
    const double r1 = mirror.Rnd();
    const double r2 = mirror.Rnd();
    const SurpriseDraw draw = drawSurprise(draws);
    ASSERT_EQ(draw.fill.value(), static_cast<std::uint32_t>(std::floor(r1 * 16777215.0)));
    ASSERT_EQ(draw.algorithm, static_cast<std::int16_t>(std::floor(r2 * 5.0)));
  }
}

TEST(Surprise, ColourTextPutsRedInTheLowByte) {
  EXPECT_EQ(customColorText(255, 50, 50), " " + std::to_string(255 + 50 * 256 + 50 * 65536));
  EXPECT_EQ(customColorText(50, 50, 255), " " + std::to_string(50 + 50 * 256 + 255 * 65536));
  EXPECT_EQ(customColorText(0, 0, 0), " 0");
  EXPECT_EQ(customColorText(255, 255, 255), " 16777215");
  EXPECT_EQ(colourOfText(" 3289855"), Colour(3289855));
  EXPECT_EQ(colourOfText(" 16777215"), Colour(0xFFFFFF));
  EXPECT_FALSE(colourOfText("").has_value());
  EXPECT_FALSE(colourOfText(" ").has_value());
  EXPECT_FALSE(colourOfText(" 16777216").has_value());
  EXPECT_FALSE(colourOfText(" 12a").has_value());
}

}  // namespace
}  // namespace kepa
