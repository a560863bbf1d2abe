// Scaled desktops and several monitors on the real program: at 150 % and 200 % (Xft.dpi) the
// frozen screen is the screen pixel for pixel and the clipboard gets the region's device
// pixels; with two monitors the splash and the magnifier keep to the right monitor; a monitor
// that goes away between two captures.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::Decoded;
using testing::pattern;
using testing::patternAt;
using testing::readClipboard;

// A desktop scaled by its X resources, or by Qt's environment on a desktop at 100 %.
struct Scale {
  int dpi;
  std::map<std::string, std::string> environment;
};

class ScaledDesktop : public CaptureOnDesktop, public ::testing::WithParamInterface<Scale> {};

TEST_P(ScaledDesktop, FreezesTheScreenAndCopiesTheRegionInDevicePixels) {
  const int dpi = GetParam().dpi;
  if (GetParam().environment.empty()) {
    ASSERT_TRUE(session.setResources("Xft.dpi: " + std::to_string(dpi)));
  }
  kepa.start({}, GetParam().environment);  // reads the desktop's scale at start-up
  const double scale = dpi / 96.0;

  // The splash: 5565 x 3090 twips, centred.
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10)));
  // At 150 % its top is 2295 twips, 229.5 pixels, which rounds to even.
  EXPECT_EQ(kepa.splash()->geometry,
            dpi == 144 ? QRect(234, 230, 556, 309) : QRect(141, 178, 742, 412));
  session.xdotool("sleep 0.5");
  session.saveScreenshot("splash-" + std::to_string(dpi));
  ASSERT_TRUE(waitUntil([&] { return !kepa.splash().has_value(); }, seconds(15)));

  // The clipping window is exactly the screen (the capture waits for that), and shows it.
  expectFrozenPattern();

  // A real drag from (100, 80) to (300, 220): the region is the 200 x 140 device pixels
  // right of and below the press point, with the image's background in the extra column and
  // row.
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 150 sleep 0.1 "
      "mousemove 300 220 sleep 0.2 mouseup 1 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Return", "クリップボ－ド格納")) << kepa.log();
  Decoded region;
  ASSERT_TRUE(waitUntil(
      [&] {
        region = readClipboard(session, session.directory() + "/region.png");
        return region.width > 0;
      },
      seconds(10)));
  ASSERT_EQ(region.width, 201);
  ASSERT_EQ(region.height, 141);
  int wrong = 0;
  for (int j = 0; j <= 140; ++j) {
    for (int i = 0; i <= 200; ++i) {
      const QRgb expected = i == 200 || j == 140 ? qRgb(255, 255, 255) : patternAt(101 + i, 81 + j);
      if (region.at(i, j) != expected) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);

  // The settings dialog at its scale; Cancel at (240, 256) + half its 57 x 25, scaled.
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Down Down Right Down Down Return", "お楽しみ2"));
  std::optional<XWindow> dialog;
  ASSERT_TRUE(waitUntil([&] { return (dialog = kepa.windowNamed("カスタム設定")).has_value(); },
                        seconds(10)));
  EXPECT_EQ(dialog->geometry.size(), QSize(320, 288) * scale);
  session.xdotool("sleep 0.5");
  session.saveScreenshot("settings-" + std::to_string(dpi));
  const QPoint cancel = dialog->geometry.topLeft() + QPoint(268, 268) * scale;
  session.xdotool("mousemove " + std::to_string(cancel.x()) + " " + std::to_string(cancel.y()) +
                  " sleep 0.2 click 1");
  ASSERT_TRUE(
      waitUntil([&] { return !kepa.windowNamed("カスタム設定").has_value(); }, seconds(10)));

  // The magnifier at its scale: each captured pixel a whole block of 22 (150 %) or 30 (200 %)
  // pixels, the centre one in the complement.
  session.xdotool("mousemove 700 300 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Down Down Down Return", "虫眼鏡")) << kepa.log();
  const int block = dpi == 144 ? 22 : 30;
  const int caption = dpi == 144 ? 27 : 36;  // 270 twips
  ASSERT_TRUE(waitUntil(
      [&] {
        const auto zoom = kepa.windowNamed("ＺｏｏｍＵＰ");
        if (!zoom) return false;
        const QImage shot = session.screenshot();
        const QPoint view = zoom->geometry.topLeft() + QPoint(1, 1 + caption);
        const QRgb centre = patternAt(700, 300) ^ 0x00FFFFFFU;
        return shot.pixel(view + QPoint(7 * block, 7 * block)) == centre &&
               shot.pixel(view + QPoint(8 * block - 1, 8 * block - 1)) == centre &&
               shot.pixel(view + QPoint(block - 1, 0)) == patternAt(693, 293) &&
               shot.pixel(view + QPoint(block, 0)) == patternAt(694, 293);
      },
      seconds(10)));
  session.saveScreenshot("magnifier-" + std::to_string(dpi));
}

INSTANTIATE_TEST_SUITE_P(At150And200Percent, ScaledDesktop,
                         ::testing::Values(Scale{144, {}}, Scale{192, {}},
                                           Scale{192, {{"QT_SCREEN_SCALE_FACTORS", "screen=2"}}}));

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

TEST_F(TwoMonitors, SplashAndMagnifierKeepToTheirMonitorAndACaptureFollowsTheDesktop) {
  ASSERT_EQ(session.screen(), QRect(0, 0, 1536, 768));
  // The splash is centred on the primary monitor.
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10)));
  EXPECT_EQ(kepa.splash()->geometry, QRect(1094, 89, 371, 206));
  ASSERT_TRUE(waitUntil([&] { return !kepa.splash().has_value(); }, seconds(15)));

  // The capture covers both monitors; icewm has a taskbar along the primary's bottom too.
  expectFrozenPattern([this] { return startCapture(); },
                      [](int x, int y) { return x >= 1024 && y >= 384 - 40 && y < 384; });

  // The magnifier, dragged by its caption onto the primary monitor's left half, jumps to that
  // monitor's right edge when the pointer comes over its view, not to the screen's.
  session.xdotool("mousemove 1200 300 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Return", "虫眼鏡")) << kepa.log();
  std::optional<XWindow> zoom;
  ASSERT_TRUE(waitUntil([&] { return (zoom = kepa.windowNamed("ＺｏｏｍＵＰ")).has_value(); },
                        seconds(10)));
  const QPoint caption = zoom->geometry.topLeft() + QPoint(60, 9);
  const auto to = [](QPoint p) { return std::to_string(p.x()) + " " + std::to_string(p.y()); };
  session.xdotool("mousemove " + to(caption) + " sleep 0.2 mousedown 1 sleep 0.1 mousemove " +
                  to(caption + QPoint(300, 50)) + " sleep 0.1 mousemove " +
                  to(caption + QPoint(1030, 50)) + " sleep 0.2 mouseup 1 sleep 0.2");
  ASSERT_TRUE(waitUntil(
      [&] { return (zoom = kepa.windowNamed("ＺｏｏｍＵＰ")) && zoom->geometry.x() >= 1024; },
      seconds(10)));
  session.xdotool("mousemove " + to(zoom->geometry.topLeft() + QPoint(20, 100)));
  EXPECT_TRUE(waitUntil(
      [&] {
        zoom = kepa.windowNamed("ＺｏｏｍＵＰ");
        return zoom && zoom->geometry.right() == 1535;
      },
      seconds(10)))
      << zoom->geometry.x();

  // The primary monitor unplugged while the clipping is open: nothing breaks; after the end
  // of that clipping the next capture covers the smaller screen.
  session.run("xrandr --delmonitor B");
  session.run("xrandr --fb 1024x768 2>/dev/null");
  ASSERT_EQ(session.screen(), QRect(0, 0, 1024, 768));
  session.xdotool("mousemove 500 300 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Up Return", "クリッピング終了")) << kepa.log();
  ASSERT_TRUE(waitUntil(
      [&] {
        for (const XWindow& window : kepa.windows())
          if (window.geometry.width() == 1536) return false;
        return true;
      },
      seconds(10)));
  expectFrozenPattern();
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
