// Capture and the magnifier on the real program: a known picture on the X screen, frozen from
// the real tray menu and followed by the magnifier; and the tray ending the program while one
// of its dialogs is open. (The ways it
// ends by signals and the tray host coming back are in the tray tests; failed saves through
// the real dialog in the frozen screen's.)
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
  session.xdotool("mousemove " + at(over));
  ASSERT_TRUE(waitUntil(
      [&] { return (zoom = kepa.windowNamed("ＺｏｏｍＵＰ")) && zoom->geometry.x() != before.x(); },
      seconds(10)))
      << "stayed at " << before.x() << "," << before.y();
  if (over.x() < session.screen().width() / 2) {
    EXPECT_EQ(zoom->geometry.right(), session.screen().right());
  } else {
    EXPECT_EQ(zoom->geometry.left(), 0);
  }
}

TEST_F(CaptureOnDesktop, TheTrayEndsTheProgramWhileTheSettingsOrTheSaveDialogIsOpen) {
  session.setRootPicture(pattern(session.screen().size()));
  for (const auto& [keys, dialog] :
       {std::pair<std::string, std::string>{"Down Down Down Down Right Down Down Return",
                                            "カスタム設定"},
        {"Down Return", "名前を付けて保存"}}) {
    SCOPED_TRACE(dialog);
    kepa.start();
    ASSERT_TRUE(startCapture());
    select({100, 80}, {140, 110});
    ASSERT_TRUE(kepa.chooseFromMenu(keys, dialog == "カスタム設定" ? "お楽しみ2" : dialog));
    ASSERT_TRUE(shown(dialog).has_value()) << kepa.log();
    // The frozen screen waits for the dialog: the right button opens no clipping menu there.
    session.xdotool("mousemove 700 600 sleep 0.1 mousedown 3 sleep 0.8");
    EXPECT_TRUE(kepa.menus().empty());
    session.xdotool("mouseup 3 sleep 0.2");
    // The tray menu opens all the same, and its exit ends the program with status 0.
    ASSERT_TRUE(kepa.openTrayMenu()) << kepa.log();
    session.xdotool("mouseup 3 key Up Return");
    EXPECT_EQ(kepa.process().waitFor(seconds(10)), 0) << kepa.log();
    EXPECT_TRUE(kepa.windows().empty());
  }
}

}  // namespace
}  // namespace kepa::xdriver
