// The real program with a real tray host and X input: the icon, its menu, the splash, the ways
// the program ends, and no tray.
#include <csignal>
#include <thread>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr QRgb kDarkBlue = 0xFF000080;

class KepaOnDesktop : public testing::CaptureOnDesktop {
 protected:
  explicit KepaOnDesktop(XSession::Desktop desktop = XSession::Desktop::WithWindowManager,
                         std::vector<std::string> command = {KEPA_BINARY})
      : CaptureOnDesktop({}, {1024, 768}, XSession::SessionBus::Private, desktop,
                         std::move(command)) {}

  // バ－ジョン情報 from the tray menu, which opens while the right button is still down; true
  // once the splash shows, painted on the real screen: dark blue, "VER  3.0" on black.
  bool showSplash() {
    std::optional<XWindow> splash;
    return kepa.openTrayMenu() &&
           kepa.log().find("kepa: menu ＫＥＰＡメニュ－[") != std::string::npos &&
           session.xdotool("mouseup 3 key Down Down Return") &&
           waitUntil(
               [&] {
                 if (!(splash = kepa.splash())) return false;
                 const QImage shot = session.screenshot();
                 const QPoint at = splash->geometry.topLeft();
                 return shot.pixel(at + QPoint(365, 200)) == kDarkBlue &&
                        shot.pixel(at + QPoint(350, 143)) == 0xFF000000;
               },
               seconds(10));
  }
  // Signals `signal` and expects the program to end by itself with `status`.
  void expectEnd(int signal, int status = 0) {
    if (signal != 0) kepa.process().signal(signal);
    EXPECT_EQ(kepa.process().waitFor(seconds(10)), status) << kepa.log();
  }
};

TEST_F(KepaOnDesktop, IconIsDockedAndPaintedAndALeftClickOpensNothing) {
  const std::optional<XWindow> icon = kepa.trayIcon();
  ASSERT_TRUE(icon.has_value());
  EXPECT_LE(icon->geometry.width(), 32);
  EXPECT_GT(icon->geometry.top(), 700);  // icewm's taskbar runs along the bottom
  EXPECT_EQ(kepa.windows().size(), 1U);
  // The icon's picture, once the tray has painted it: dark blue, white brackets, a red ring.
  EXPECT_TRUE(waitUntil(
      [&] {
        const QImage shot = session.screenshot().copy(icon->geometry);
        bool blue = false, white = false, red = false;
        for (int y = 0; y < shot.height(); ++y) {
          for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            blue |= pixel == kDarkBlue;
            white |= pixel == 0xFFFFFFFF;
            red |= qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
          }
        }
        return blue && white && red;
      },
      seconds(5)));
  const QPoint centre = icon->geometry.center();
  session.xdotool("mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                  " click 1");
  // Give a menu every chance to appear: none may.
  EXPECT_FALSE(
      waitUntil([&] { return !kepa.menus().empty() || kepa.splash(); }, milliseconds(1500)));
  EXPECT_EQ(kepa.log().find("kepa: menu"), std::string::npos);
}

TEST_F(KepaOnDesktop, TheMenusExitAndTerminationSignalsEndTheOrderlyWayWithStatusZero) {
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Up Return");  // ＫＥＰＡＫＥＰＡの終了, the last item
  expectEnd(0);
  EXPECT_TRUE(kepa.windows().empty());
  // A signal while idle, with the tray menu open, in the middle of a drag, and while the
  // clipping menu is open: ended by the program itself, not killed by the signal.
  kepa.start();
  ASSERT_TRUE(kepa.trayIcon().has_value());
  expectEnd(SIGTERM);
  kepa.start();
  ASSERT_TRUE(kepa.openTrayMenu());
  expectEnd(SIGINT);
  session.xdotool("mouseup 3");
  kepa.start();
  ASSERT_TRUE(kepa.startCapture());
  session.xdotool("mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 300 200 sleep 0.2");
  expectEnd(SIGTERM);
  session.xdotool("mouseup 1");
  kepa.start();
  ASSERT_TRUE(kepa.startCapture());
  session.xdotool("mousemove 600 500 sleep 0.1 mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  expectEnd(SIGTERM);
  session.xdotool("mouseup 3");
  EXPECT_EQ(kepa.log().find("kepa: chosen 名前"), std::string::npos);  // nothing was chosen
}

TEST_F(KepaOnDesktop, TheIconComesBackWhenTheTrayHostRestarts) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  ASSERT_TRUE(session.restartWindowManager());
  ASSERT_TRUE(waitUntil([&] { return kepa.trayIcon().has_value(); }, seconds(20))) << kepa.log();
  EXPECT_TRUE(showSplash()) << kepa.log();  // the menu works again
}

class KepaWithoutTray : public KepaOnDesktop {
 protected:
  KepaWithoutTray() : KepaOnDesktop(XSession::Desktop::BareServer) {}
};

TEST_F(KepaWithoutTray, SaysSoAndExitsWithStatusOne) {
  ASSERT_TRUE(waitUntil([&] { return kepa.windowNamed("KEPA").has_value(); }, seconds(30)));
  EXPECT_NE(kepa.log().find("通知領域（システムトレイ）が見つかりません"), std::string::npos)
      << kepa.log();
  EXPECT_TRUE(kepa.process().running());  // waiting for the user to read the message
  session.xdotool("key Return");
  expectEnd(0, 1);
}

class KepaAtLogin : public KepaOnDesktop {
 protected:
  // As the autostart entry runs it (the package check reads the entry's command line).
  KepaAtLogin()
      : KepaOnDesktop(XSession::Desktop::BareServer, {"env", "KEPA_AUTOSTART=1", KEPA_BINARY}) {}
};

TEST_F(KepaAtLogin, WaitsQuietlyForASlowPanelThenDocksAndWorks) {
  // The panel comes up 8 s after the program, later than a start by the user waits for it.
  std::this_thread::sleep_for(seconds(8));
  EXPECT_TRUE(kepa.process().running()) << kepa.log();
  EXPECT_TRUE(kepa.windows().empty()) << kepa.log();  // no message box
  ASSERT_TRUE(session.startWindowManager());
  ASSERT_TRUE(kepa.trayIcon().has_value()) << kepa.log();
  EXPECT_TRUE(showSplash()) << kepa.log();
  EXPECT_EQ(kepa.log().find("通知領域"), std::string::npos) << kepa.log();
}

TEST_F(KepaAtLogin, ALogoutWhileWaitingEndsAtOnce) {
  std::this_thread::sleep_for(seconds(1));
  expectEnd(SIGTERM);
}

}  // namespace
}  // namespace kepa::xdriver
