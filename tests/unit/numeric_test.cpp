#include "platform/numeric.h"

#include <cmath>

#include <gtest/gtest.h>

namespace kepa {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    double rounded;
  } cases[] = {{2.5, 2}, {3.5, 4},     {-2.5, -2},    {-3.5, -4},  {0.5, 0},
               {1.5, 2}, {-0.5, 0},    {2.4999, 2},   {2.5001, 3}, {-2.6, -3},
               {7, 7},   {326.5, 326}, {4897.5, 4898}};
  for (const auto& c : cases)
    EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;
}

TEST(Conversion, LongAndIntegerRangesAreChecked) {
  EXPECT_EQ(toLong(2147483647.0), 2147483647);
  EXPECT_EQ(toLong(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(toLong(2147483647.4), 2147483647);
  EXPECT_THROW((void)toLong(2147483647.5), OverflowError);  // rounds to 2^31
  EXPECT_THROW((void)toLong(-2147483649.0), OverflowError);
  EXPECT_THROW((void)toLong(std::nan("")), OverflowError);

  EXPECT_EQ(toInteger(32767.0), 32767);
  EXPECT_EQ(toInteger(-32768.0), -32768);
  EXPECT_EQ(toInteger(32766.5), 32766);
  EXPECT_EQ(toInteger(-32768.5), -32768);  // ties to even stays in range
  EXPECT_THROW((void)toInteger(32767.5), OverflowError);
  EXPECT_THROW((void)toInteger(40000.0), OverflowError);
  EXPECT_THROW((void)toInteger(-32769.0), OverflowError);
}

TEST(IntegerDivision, RoundsTheOperandsThenTruncatesTheQuotient) {
  // A right press on the icon at 15 twips per pixel, a left press, 7702.5 rounding to 7702,
  // 7754.9 to 7755, the screen width and a twips count that is no whole multiple, truncation
  // toward zero, and divisors 2.5 and 3.5 rounding to 2 and 4.
  const struct {
    double a, b;
    std::int32_t quotient;
  } cases[] = {{7740, 15, 516},   {7695, 15, 513},   {7702.5, 15, 513}, {7754.9, 15, 517},
               {15360, 15, 1024}, {15365, 15, 1024}, {-7, 2, -3},       {7, -2, -3},
               {10, 2.5, 5},      {10, 3.5, 2},      {2.5, 1, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(integerDivide(c.a, c.b), c.quotient) << c.a << " \\ " << c.b;
  EXPECT_THROW((void)integerDivide(1, 0.4), OverflowError);  // divisor rounds to 0
  EXPECT_THROW((void)integerDivide(-2147483648.0, -1), OverflowError);
}

TEST(IntegerDivision, ByATwipsPerPixelThatIsNotWholeKeepsItsFraction) {
  // A whole twips per pixel is exactly `\` (rounded twips as `\` rounds them); at 200 % 7680
  // twips are 1024 pixels, not 7680 \ 8 = 960; 3848 / 7.5 = 513.07; truncated toward zero.
  const struct {
    double twips, twipsPerPixel;
    std::int32_t pixels;
  } cases[] = {{15365, 15, 1024},  {7702.5, 15, 513}, {7680, 7.5, 1024}, {3870, 7.5, 516},
               {3847.5, 7.5, 513}, {7679, 7.5, 1023}, {-40, 7.5, -5},    {9540, 13.0909, 728}};
  for (const auto& c : cases)
    EXPECT_EQ(pixelsOfTwips(c.twips, c.twipsPerPixel), c.pixels)
        << c.twips << " / " << c.twipsPerPixel;
  EXPECT_THROW((void)pixelsOfTwips(1, 0), OverflowError);
  EXPECT_THROW((void)pixelsOfTwips(1, -7.5), OverflowError);
}

TEST(HexLiterals, AreReadAsWrittenWithTheirTypeWidth) {
  EXPECT_EQ(hexLiteral("&H0000FF"), 0x0000FF);
  EXPECT_EQ(hexLiteral("&H00ff00"), 0x00FF00);
  EXPECT_EQ(hexLiteral("&Hff0000"), 0xFF0000);
  EXPECT_EQ(hexLiteral("&HFF0000"), 0xFF0000);
  EXPECT_EQ(hexLiteral("&H7F"), 0x7F);
  EXPECT_EQ(hexLiteral("&HFFFF"), -1);  // four digits: an Integer
  EXPECT_EQ(hexLiteral("&H8000"), -32768);
  EXPECT_EQ(hexLiteral("&H80000005"), static_cast<std::int32_t>(0x80000005U));
  for (const char* bad : {"", "&H", "0xFF", "&HFG", "&H123456789", "H12"}) {
    EXPECT_THROW((void)hexLiteral(bad), std::invalid_argument) << bad;
  }
}

TEST(Twips, ConvertToPixelsWithTiesToEven) {
  EXPECT_EQ(twipsToPixels(5565, 15), 371);
  EXPECT_EQ(twipsToPixels(3090, 15), 206);
  EXPECT_EQ(twipsToPixels(4897.5F, 15), 326);  // 326.5 px
  EXPECT_EQ(twipsToPixels(5565, 12), 464);     // 463.75 px
}

}  // namespace
}  // namespace kepa
