// The desktop's numbers (rounding, ranges, twips), monitors and scale, and the tray icon's
// record.
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/design_pixels.h"
#include "core/display_scale.h"
#include "core/monitors.h"
#include "core/numeric.h"
#include "runtime/notify_icon_data.h"

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

// A design rectangle (pixels at 100 %) on screens at 100, 150, 175 and 200 %: each value
// rounded on its own, so a width need not be the difference of two rounded edges.
TEST(DesignPixels, ScaleEachValueWithTiesToEven) {
  const DesignRect design{16, 8, 81, 17};
  const struct {
    double twipsPerPixel;
    Rect pixels;
  } cases[] = {{15, {16, 8, 81, 17}},
               {10, {24, 12, 122, 26}},            // 121.5 and 25.5 go to the even neighbour
               {1440.0 / 168, {28, 14, 142, 30}},  // 141.75, 29.75
               {7.5, {32, 16, 162, 34}}};
  for (const auto& c : cases) {
    EXPECT_EQ(designToPixels(design, c.twipsPerPixel, c.twipsPerPixel), c.pixels)
        << c.twipsPerPixel;
  }
}

TEST(Monitors, CentringUsesThePrimaryAndPlacementTheOneUnderThePointer) {
  // A 1024 x 768 monitor, the primary 512 x 384 right of it, and the X screen's own monitor
  // over both, as `xrandr --setmonitor` leaves it.
  const std::vector<Monitor> desktop = {
      {{1024, 0, 512, 384}, true}, {{0, 0, 1024, 768}, false}, {{0, 0, 1536, 768}, false}};
  EXPECT_EQ(primaryMonitor(desktop), (Rect{1024, 0, 512, 384}));
  EXPECT_EQ(primaryMonitor({{{0, 0, 800, 600}, false}, {{800, 0, 640, 480}, false}}),
            (Rect{0, 0, 800, 600}));  // none primary: the first
  EXPECT_EQ(primaryMonitor({}), Rect{});
  const std::pair<Point, Rect> under[] = {
      {{10, 10}, {0, 0, 1024, 768}},       // the smallest that holds it
      {{1023, 767}, {0, 0, 1024, 768}},    // its last pixel
      {{1024, 383}, {1024, 0, 512, 384}},  // the primary's first column
      {{1024, 500}, {0, 0, 1536, 768}},    // just right of the first monitor
      {{1100, 500}, {0, 0, 1536, 768}},    // below the primary: only the screen's own
      {{2000, 100}, {1024, 0, 512, 384}},  // off every monitor: the primary
      {{-1, 0}, {1024, 0, 512, 384}},
  };
  for (const auto& [point, monitor] : under)
    EXPECT_EQ(monitorAt(desktop, point), monitor) << point.x << "," << point.y;

  EXPECT_EQ(centredOn({1024, 0, 512, 384}, 320, 288), (Point{1120, 48}));
  EXPECT_EQ(centredOn({0, 600, 1024, 768}, 321, 289), (Point{351, 839}));
}

TEST(DisplayScale, TwipsPerPixelFollowTheScale) {
  const std::pair<double, float> cases[] = {{96, 15.0F}, {120, 12.0F}, {144, 10.0F}, {192, 7.5F}};
  for (const auto& [dpi, tpp] : cases)
    EXPECT_FLOAT_EQ(twipsPerPixel(dpi), tpp) << dpi;
}

TEST(DisplayScale, XftDpiAndQtsFactorsAreRead) {
  EXPECT_EQ(xftDpi("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192.0);
  EXPECT_EQ(xftDpi("Xft.dpi: 144"), 144.0);
  EXPECT_EQ(xftDpi("Xft.dpi:\t120  \n"), 120.0);
  EXPECT_EQ(xftDpi("Xcursor.size: 24\n"), std::nullopt);
  EXPECT_EQ(xftDpi(""), std::nullopt);
  // Nonsense is ignored, and said to be: only finite values from 24 to 960 dpi count.
  std::vector<std::string> ignored;
  const IgnoredSetting note = [&](std::string_view name, std::string_view text) {
    ignored.push_back(std::string(name) + " " + std::string(text));
  };
  for (const char* bad : {"-3", "inf", "nan", "1e308", "1e6", "961", "23", "x"})
    EXPECT_EQ(xftDpi(std::string("Xft.dpi: ") + bad, note), std::nullopt) << bad;
  EXPECT_EQ(ignored.size(), 8U);
  EXPECT_EQ(ignored.front(), "Xft.dpi -3");
  EXPECT_EQ(xftDpi("Xft.dpi: 960", note), 960.0);
  EXPECT_EQ(xftDpi("Xft.dpi: 24", note), 24.0);
  ignored.clear();

  const struct {
    const char* global;
    const char* perScreen;
    double factor;  // for the screen "B" at position 1
  } cases[] = {
      {"", "", 1.0},
      {"2", "", 2.0},
      {"1.5", "", 1.5},
      {"", "A=1;B=2", 2.0},
      {"", "A=2", 1.0},
      {"", "1;1.25", 1.25},
      {"2", "B=1.5", 3.0},
      {"x", "B=y", 1.0},
      {"", "B=2;", 2.0},
      // Factors from 0.1 to 10 only, alone and together.
      {"inf", "", 1.0},
      {"1e308", "", 1.0},
      {"0.05", "", 1.0},
      {"10", "", 10.0},
      {"", "B=nan", 1.0},
      {"4", "B=4", 1.0},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(environmentScale(c.global, c.perScreen, "B", 1, note), c.factor)
        << c.global << " | " << c.perScreen;
  EXPECT_EQ(ignored.size(), 7U);  // x, y, inf, 1e308, 0.05, nan, and 4 x 4
}

TEST(NotifyIconData, HasTheAnsiLayoutFieldByField) {
  using R = NOTIFYICONDATA;
  EXPECT_EQ(sizeof(R), 88U);
  EXPECT_EQ(
      (std::array{offsetof(R, cbSize), offsetof(R, hWnd), offsetof(R, uID), offsetof(R, uFlags),
                  offsetof(R, uCallbackMessage), offsetof(R, hIcon), offsetof(R, szTip)}),
      (std::array<std::size_t, 7>{0, 4, 8, 12, 16, 20, 24}));
}

TEST(NotifyIconData, FixedStringsCutAndPad) {
  const auto cut = fixedString<4>("ABCDEFG");
  EXPECT_EQ(std::string(cut.data(), 4), "ABCD");
  const auto padded = fixedString<4>("A");
  EXPECT_EQ(std::string(padded.data(), 4), "A   ");
  NOTIFYICONDATA record;
  record.szTip = fixedString<64>(std::string_view("DIRUZAZU\0", 9));
  EXPECT_EQ(tipText(record), "DIRUZAZU");
  NOTIFYICONDATA noNul;
  noNul.szTip = fixedString<64>("no terminator");
  EXPECT_EQ(tipText(noNul).size(), 64U);  // a tip without NUL is the whole field
}

}  // namespace
}  // namespace kepa
