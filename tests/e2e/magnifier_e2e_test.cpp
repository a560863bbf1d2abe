// The magnifier on the real program: switched on from the real clipping menu after a capture,
// following the real pointer over the frozen picture and jumping out of its way.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::patternAt;

class MagnifierOnDesktop : public CaptureOnDesktop {
 protected:
  std::optional<XWindow> magnifier() { return kepa.windowNamed("ＺｏｏｍＵＰ"); }

  // The client area within the window: below the caption, inside the one-pixel border.
  static QRect clientOf(const XWindow& window) {
    return {window.geometry.x() + 1, window.geometry.y() + 19, 227, 273};
  }

  // The view's 15 x 15 blocks on the screen show the picture around `pointer`, the centre
  // block in the complement of its pixel.
  bool showsBlocksAround(const QImage& shot, QPoint client, QPoint pointer) {
    for (int j = 0; j < 15; ++j) {
      for (int i = 0; i < 15; ++i) {
        QRgb expected = patternAt(pointer.x() - 7 + i, pointer.y() - 7 + j);
        if (i == 7 && j == 7)
          expected = qRgb(255 - qRed(expected), 255 - qGreen(expected), 255 - qBlue(expected));
        for (const QPoint corner : {QPoint(0, 0), QPoint(14, 0), QPoint(0, 14), QPoint(14, 14)}) {
          const QPoint at = client + QPoint(15 * i, 15 * j) + corner;
          if (shot.pixel(at) != expected) return false;
        }
      }
    }
    return true;
  }
};

TEST_F(MagnifierOnDesktop, FollowsThePointerOverTheFrozenPictureAndKeepsOutOfItsWay) {
  const QRect screen = session.screen();
  // The magnifier shows the picture as captured, not the changed screen.
  ASSERT_TRUE(captureThenChangeTheScreen());

  // Before a selection the first enabled item of the clipping menu is 虫眼鏡.
  session.xdotool("mousemove 700 300 sleep 0.1 mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  session.xdotool("key Down Return mouseup 3");
  ASSERT_TRUE(waitUntil([&] { return magnifier().has_value(); }, seconds(10))) << kepa.log();

  std::optional<XWindow> zoom = magnifier();
  QImage shot;
  const auto showsAround = [&](QPoint pointer) {
    return waitUntil(
        [&] {
          zoom = magnifier();
          if (!zoom) return false;
          shot = session.screenshot();
          return showsBlocksAround(shot, clientOf(*zoom).topLeft(), pointer);
        },
        seconds(10));
  };
  ASSERT_TRUE(showsAround({700, 300}));
  EXPECT_EQ(zoom->geometry.size(), QSize(229, 293));  // its caption and border included

  // The view follows the real pointer.
  session.xdotool("mousemove 650 420");
  ASSERT_TRUE(showsAround({650, 420}));

  // Onto the magnifier's view: the pointer is then on the window's side of the screen, which
  // sends the window to the other side.
  const QRect before = zoom->geometry;
  const QPoint over = clientOf(*zoom).topLeft() + QPoint(100, 100);
  const bool wasLeft = over.x() < screen.width() / 2;
  session.xdotool("mousemove " + std::to_string(over.x()) + " " + std::to_string(over.y()));
  ASSERT_TRUE(waitUntil(
      [&] {
        zoom = magnifier();
        return zoom && zoom->geometry.x() != before.x();
      },
      seconds(10)))
      << "stayed at " << before.x() << "," << before.y();
  if (wasLeft) {
    EXPECT_GT(zoom->geometry.left(), screen.width() / 2);
    EXPECT_EQ(zoom->geometry.right(), screen.right());
  } else {
    EXPECT_EQ(zoom->geometry.left(), 0);
  }
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
