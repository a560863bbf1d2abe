// The magnifier on the real program: switched on from the real clipping menu after a capture,
// following the real pointer over the frozen picture and jumping out of its way.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::patternAt;

TEST_F(CaptureOnDesktop, TheMagnifierFollowsThePointerOverTheFrozenPictureAndKeepsOutOfItsWay) {
  // The magnifier shows the picture as captured, not the changed screen.
  ASSERT_TRUE(captureThenChangeTheScreen());
  // Before a selection the first enabled item of the clipping menu is 虫眼鏡.
  session.xdotool("mousemove 700 300 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Return", "虫眼鏡")) << kepa.log();
  std::optional<XWindow> zoom;
  // The view's 15 x 15 blocks, below the 18-pixel caption inside the one-pixel border, show
  // the picture around `pointer`, the centre block in the complement of its pixel.
  const auto showsAround = [&](QPoint pointer) {
    return waitUntil(
        [&] {
          if (!(zoom = kepa.windowNamed("ＺｏｏｍＵＰ"))) return false;
          const QImage shot = session.screenshot();
          const QPoint client = zoom->geometry.topLeft() + QPoint(1, 19);
          for (int j = 0; j < 15; ++j) {
            for (int i = 0; i < 15; ++i) {
              QRgb expected = patternAt(pointer.x() - 7 + i, pointer.y() - 7 + j);
              if (i == 7 && j == 7) expected ^= 0x00FFFFFFU;
              for (const QPoint corner : {QPoint(0, 0), QPoint(14, 14)}) {
                if (shot.pixel(client + QPoint(15 * i, 15 * j) + corner) != expected) return false;
              }
            }
          }
          return true;
        },
        seconds(10));
  };
  ASSERT_TRUE(showsAround({700, 300}));
  EXPECT_EQ(zoom->geometry.size(), QSize(229, 293));  // its caption and border included
  session.xdotool("mousemove 650 420");
  ASSERT_TRUE(showsAround({650, 420}));

  // Onto the magnifier's view: the pointer is then on the window's side of the screen, which
  // sends the window to the other side.
  const QRect before = zoom->geometry;
  const QPoint over = before.topLeft() + QPoint(101, 119);
  const QRect screen = session.screen();
  session.xdotool("mousemove " + at(over));
  ASSERT_TRUE(waitUntil(
      [&] { return (zoom = kepa.windowNamed("ＺｏｏｍＵＰ")) && zoom->geometry.x() != before.x(); },
      seconds(10)))
      << "stayed at " << before.x() << "," << before.y();
  if (over.x() < screen.width() / 2) {
    EXPECT_EQ(zoom->geometry.right(), screen.right());
  } else {
    EXPECT_EQ(zoom->geometry.left(), 0);
  }
}

}  // namespace
}  // namespace kepa::xdriver
