// Capture and selection on the real program: a known picture on the X screen, frozen from the
// real tray menu, then selected with real mouse events.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::kTaskbarTop;
using testing::pattern;
using testing::patternAt;

TEST_F(CaptureOnDesktop, FreezesTheScreenWithoutTheMenuAndKeepsItWhenTheScreenChanges) {
  expectFrozenPattern();
}

// A server without the shared-memory extension: the capture takes the plain X11 path.
class CaptureWithoutSharedMemory : public CaptureOnDesktop {
 protected:
  CaptureWithoutSharedMemory() : CaptureOnDesktop({"-extension", "MIT-SHM"}) {}
};

TEST_F(CaptureWithoutSharedMemory, FreezesTheScreenAllTheSame) {
  expectFrozenPattern();
}

TEST_F(CaptureOnDesktop, DragShowsTheFrameAndEnablesTheMenu) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());

  session.xdotool("mousemove 700 500 mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  session.xdotool("key Escape mouseup 3");
  EXPECT_NE(lastClipMenu().find("名前を付けて保存(disabled)|-|クリップボ－ド格納(disabled)|-|"
                                "領域カラ－オプション(disabled)"),
            std::string::npos)
      << kepa.log();
  ASSERT_TRUE(waitUntil([&] { return kepa.menus().empty(); }, seconds(10)));

  // A real drag from (100, 80) to (300, 220), at a human pace: the press reads the pointer's
  // position when it is handled, not where the event happened.
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 150 sleep 0.1 "
      "mousemove 300 220");
  const QRgb frame = qRgb(255 - qRed(patternAt(100, 80)), 255 - qGreen(patternAt(100, 80)),
                          255 - qBlue(patternAt(100, 80)));
  QImage shot;
  ASSERT_TRUE(waitUntil(
      [&] {
        shot = session.screenshot();
        return shot.pixel(100, 80) == frame && shot.pixel(300, 150) == frame;
      },
      seconds(10)));
  session.xdotool("mouseup 1 sleep 0.1 mousemove 600 600");
  EXPECT_TRUE(waitUntil(
      [&] {
        shot = session.screenshot();
        return shot.pixel(600, 610) == (patternAt(600, 610) ^ 0x00FFFFFFU);  // the cross-hair
      },
      seconds(10)));
  // The outline runs through the press and the pointer pixels: columns 100..300 and rows
  // 80..220; inside and outside it the frozen picture shows.
  for (const QPoint at : {QPoint(100, 80), QPoint(200, 80), QPoint(300, 80), QPoint(100, 150),
                          QPoint(300, 150), QPoint(100, 220), QPoint(300, 220)}) {
    EXPECT_EQ(shot.pixel(at), frame) << at.x() << "," << at.y();
  }
  for (const QPoint at :
       {QPoint(200, 150), QPoint(99, 150), QPoint(301, 150), QPoint(200, 79), QPoint(200, 221)}) {
    EXPECT_EQ(shot.pixel(at), patternAt(at.x(), at.y())) << at.x() << "," << at.y();
  }

  session.xdotool("mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  session.xdotool("key Escape mouseup 3");
  EXPECT_NE(lastClipMenu().find("[名前を付けて保存|-|クリップボ－ド格納|-|領域カラ－オプション["),
            std::string::npos)
      << lastClipMenu();

  // "クリッピング終了", the last item, closes the clipping window; the icon stays.
  ASSERT_TRUE(waitUntil([&] { return kepa.menus().empty(); }, seconds(10)));
  session.xdotool("mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  session.xdotool("key Up Return mouseup 3");
  EXPECT_TRUE(waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10)));
  EXPECT_TRUE(kepa.trayIcon().has_value());
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
