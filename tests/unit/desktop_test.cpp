// The desktop's monitors and scale: which monitor a rule means by "the screen", and the scale
// that X resources and Qt's environment ask for; the tray icon's record.
#include <cstddef>

#include <gtest/gtest.h>

#include "platform/display_scale.h"
#include "platform/monitors.h"
#include "platform/notify_icon_data.h"

namespace kepa {
namespace {

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
  EXPECT_EQ(xftDpi("Xft.dpi: -3\n"), std::nullopt);
  EXPECT_EQ(xftDpi(""), std::nullopt);

  const struct {
    const char* global;
    const char* perScreen;
    double factor;  // for the screen "B" at position 1
  } cases[] = {
      {"", "", 1.0},        {"2", "", 2.0},    {"1.5", "", 1.5},
      {"", "A=1;B=2", 2.0}, {"", "A=2", 1.0},  {"", "1;1.25", 1.25},
      {"2", "B=1.5", 3.0},  {"x", "B=y", 1.0}, {"", "B=2;", 2.0},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(environmentScale(c.global, c.perScreen, "B", 1), c.factor)
        << c.global << " | " << c.perScreen;
}

TEST(NotifyIconData, HasTheAnsiLayoutFieldByField) {
  EXPECT_EQ(sizeof(NOTIFYICONDATA), 88U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, cbSize), 0U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, hWnd), 4U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uID), 8U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uFlags), 12U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, uCallbackMessage), 16U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, hIcon), 20U);
  EXPECT_EQ(offsetof(NOTIFYICONDATA, szTip), 24U);
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
