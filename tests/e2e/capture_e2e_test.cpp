// Capture and selection on the real program: a known picture on the X screen, frozen from the
// real tray menu, then selected with real mouse events.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::pattern;
using testing::patternAt;

// A server without the shared-memory extension: the capture takes the plain X11 path.
class CaptureWithoutSharedMemory : public CaptureOnDesktop {
 protected:
  CaptureWithoutSharedMemory() : CaptureOnDesktop({"-extension", "MIT-SHM"}) {}
};

TEST_F(CaptureWithoutSharedMemory, FreezesTheScreenAllTheSame) {
  expectFrozenPattern();
}

TEST_F(CaptureOnDesktop, ARealDragDrawsTheFrameAndTheEndOfTheClippingKeepsTheIcon) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  // A real drag from (100, 80) to (300, 220), at a human pace: the press reads the pointer's
  // position when it is handled, not where the event happened.
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 150 sleep 0.1 "
      "mousemove 300 220");
  const QRgb frame = patternAt(100, 80) ^ 0x00FFFFFFU;
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
  for (const QPoint p : {QPoint(100, 80), QPoint(300, 80), QPoint(100, 220), QPoint(300, 220)})
    EXPECT_EQ(shot.pixel(p), frame) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(200, 150), QPoint(99, 150), QPoint(301, 150), QPoint(200, 79)})
    EXPECT_EQ(shot.pixel(p), patternAt(p.x(), p.y())) << p.x() << "," << p.y();

  // "クリッピング終了", the last item, closes the clipping window; the icon stays.
  ASSERT_TRUE(kepa.chooseFromMenu("Up Return", "クリッピング終了"));
  EXPECT_TRUE(waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10)));
  EXPECT_TRUE(kepa.trayIcon().has_value());
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
