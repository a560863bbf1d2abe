// Scaled desktops (Xft.dpi, or Qt's environment) and several monitors on the real program: the
// scale read, the screen and the region in device pixels, the splash on the primary monitor, a
// monitor that goes away between two captures. (The layouts at each scale are the forms tests'.)
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::patternAt;

// A desktop scaled by its X resources, or by Qt's environment on a desktop at 100 %.
struct Scale {
  int dpi;
  std::map<std::string, std::string> environment;
};

void PrintTo(const Scale& scale, std::ostream* out) {
  *out << scale.dpi << " dpi";
  for (const auto& [name, value] : scale.environment)
    *out << ", " << name << "=" << value;
}

class ScaledDesktop : public CaptureOnDesktop, public ::testing::WithParamInterface<Scale> {};

TEST_P(ScaledDesktop, FreezesTheScreenAndCopiesTheRegionInDevicePixels) {
  const int dpi = GetParam().dpi;
  if (GetParam().environment.empty()) {
    ASSERT_TRUE(session.setResources("Xft.dpi: " + std::to_string(dpi)));
  }
  kepa.start({}, GetParam().environment);  // reads the desktop's scale at start-up

  // The splash, 5565 x 3090 twips, centred: at 150 % its top 229.5 pixels rounds to even.
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10)));
  EXPECT_EQ(kepa.splash()->geometry,
            dpi == 144 ? QRect(234, 230, 556, 309) : QRect(141, 178, 742, 412));
  ASSERT_TRUE(waitUntil([&] { return !kepa.splash().has_value(); }, seconds(15)));

  // The clipping window is exactly the screen (the capture waits for that), and shows it.
  expectFrozenPattern();
  // A real drag from (100, 80) to (300, 220): the region is the 200 x 140 device pixels right
  // of and below the press point, and the image's background in the extra column and row.
  select({100, 80}, {300, 220});
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Return", "クリップボ－ド格納")) << kepa.log();
  const QImage region = clipboardImage("region");
  ASSERT_EQ(region.size(), QSize(201, 141));
  EXPECT_EQ(testing::wrongPixels(region,
                                 [](int i, int j) {
                                   return i == 200 || j == 140 ? qRgb(255, 255, 255)
                                                               : patternAt(101 + i, 81 + j);
                                 }),
            0);
}

INSTANTIATE_TEST_SUITE_P(At150And200Percent, ScaledDesktop,
                         ::testing::Values(Scale{144, {}}, Scale{192, {}},
                                           Scale{192, {{"QT_SCREEN_SCALE_FACTORS", "screen=2"}}}),
                         [](const auto& info) {
                           // "Dpi144", "Dpi192", "Dpi192WithQtScreenFactor".
                           return "Dpi" + std::to_string(info.param.dpi) +
                                  (info.param.environment.empty() ? "" : "WithQtScreenFactor");
                         });

// A 1024 x 768 monitor with the primary 512 x 384 one right of it, on one 1536 x 768 screen.
class TwoMonitors : public CaptureOnDesktop {
 protected:
  TwoMonitors() : CaptureOnDesktop({}, {1536, 768}) {}

  void SetUp() override {
    ASSERT_TRUE(session.run("xrandr --setmonitor A 1024/270x768/203+0+0 none"));
    ASSERT_TRUE(session.run("xrandr --setmonitor '*B' 512/135x384/101+1024+0 none"));
    kepa.start();
  }
};

TEST_F(TwoMonitors, TheSplashKeepsToThePrimaryAndACaptureFollowsTheDesktop) {
  ASSERT_EQ(session.screen(), QRect(0, 0, 1536, 768));
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10)));
  EXPECT_EQ(kepa.splash()->geometry, QRect(1094, 89, 371, 206));
  ASSERT_TRUE(waitUntil([&] { return !kepa.splash().has_value(); }, seconds(15)));

  // The capture covers both monitors; icewm has a taskbar along the primary's bottom too.
  expectFrozenPattern(nullptr, [](int x, int y) { return x >= 1024 && y >= 384 - 40 && y < 384; });

  // The primary monitor unplugged while the clipping is open; the next one covers the rest.
  session.run("xrandr --delmonitor B");
  session.run("xrandr --fb 1024x768 2>/dev/null");
  ASSERT_EQ(session.screen(), QRect(0, 0, 1024, 768));
  session.xdotool("mousemove 500 300 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Up Return", "クリッピング終了")) << kepa.log();
  ASSERT_TRUE(waitUntil(
      [&] {
        const std::vector<XWindow> windows = kepa.windows();
        return std::none_of(windows.begin(), windows.end(),
                            [](const XWindow& w) { return w.geometry.width() == 1536; });
      },
      seconds(10)));
  expectFrozenPattern();
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
