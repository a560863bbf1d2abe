// The real program on a real X server with a window manager and tray host, driven by real
// X input events.
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "tools/xdriver/kepa_driver.h"
#include "tools/xdriver/x_session.h"

namespace kepa::xdriver {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr QRgb kDarkBlue = 0xFF000080;

class KepaOnDesktop : public ::testing::Test {
 protected:
  explicit KepaOnDesktop(XSession::Desktop desktop = XSession::Desktop::WithWindowManager,
                         std::vector<std::string> command = {KEPA_BINARY})
      : session(desktop), kepa(session, std::move(command), session.directory() + "/kepa.log") {}

  void TearDown() override {
    if (!HasFailure()) return;
    std::printf("kepa's output:\n%s\nscreenshot: %s\n", kepa.log().c_str(),
                session.saveScreenshot("failure").c_str());
    for (const XWindow& window : kepa.windows()) {
      std::printf("window 0x%lx %dx%d+%d+%d%s%s %s \"%s\"\n", window.id, window.geometry.width(),
                  window.geometry.height(), window.geometry.x(), window.geometry.y(),
                  window.overrideRedirect ? " override-redirect" : "",
                  window.embedded ? " embedded" : "", window.type.c_str(), window.name.c_str());
    }
  }

  XSession session;
  KepaDriver kepa;
};

TEST_F(KepaOnDesktop, IconIsDockedInTheTrayAndNothingElseShows) {
  const std::optional<XWindow> icon = kepa.trayIcon();
  ASSERT_TRUE(icon.has_value());
  EXPECT_LE(icon->geometry.width(), 32);
  EXPECT_GT(icon->geometry.top(), 700);  // icewm's taskbar runs along the bottom
  EXPECT_EQ(kepa.windows().size(), 1U);

  // The icon's own picture: dark blue ground, white brackets and a red ring, once the tray
  // has painted the window it just embedded.
  const auto painted = [&] {
    const QImage shot = session.screenshot().copy(icon->geometry);
    bool blue = false;
    bool white = false;
    bool red = false;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const QRgb pixel = shot.pixel(x, y);
        blue |= pixel == kDarkBlue;
        white |= pixel == 0xFFFFFFFF;
        red |= qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
      }
    }
    return blue && white && red;
  };
  EXPECT_TRUE(waitUntil(painted, seconds(5)));
}

TEST_F(KepaOnDesktop, RightPressOpensTheMenuBeforeTheRelease) {
  ASSERT_TRUE(kepa.openTrayMenu());  // the button is still down
  EXPECT_NE(kepa.log().find("kepa: menu ＫＥＰＡメニュ－[スタ－トキャプチャ－|-|バ－ジョン情報|-|"
                            "ＫＥＰＡＫＥＰＡの終了]"),
            std::string::npos)
      << kepa.log();
  session.xdotool("key Escape mouseup 3");
  EXPECT_TRUE(waitUntil([&] { return kepa.menus().empty(); }, seconds(10)));
  EXPECT_TRUE(waitUntil([&] { return kepa.log().find("kepa: chosen -") != std::string::npos; },
                        seconds(10)));
  EXPECT_TRUE(kepa.process().running());
}

TEST_F(KepaOnDesktop, LeftClickOpensNothing) {
  const std::optional<XWindow> icon = kepa.trayIcon();
  ASSERT_TRUE(icon.has_value());
  const QPoint centre = icon->geometry.center();
  session.xdotool("mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                  " click 1");
  // Give a menu every chance to appear: none may.
  EXPECT_FALSE(
      waitUntil([&] { return !kepa.menus().empty() || kepa.splash(); }, milliseconds(1500)));
  EXPECT_EQ(kepa.log().find("kepa: menu"), std::string::npos);
  EXPECT_TRUE(kepa.process().running());
}

TEST_F(KepaOnDesktop, VersionSplashShowsDarkBlueCentredThenGoes) {
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10)));
  const auto shown = std::chrono::steady_clock::now();
  const QRect at = kepa.splash()->geometry;
  EXPECT_EQ(at.topLeft(), QPoint(326, 281));  // centred on 1024 x 768

  // Let the splash paint, then read its pixels off the real screen.
  QImage shot;
  waitUntil(
      [&] {
        shot = session.screenshot();
        return shot.pixel(at.left() + 365, at.top() + 200) == kDarkBlue;
      },
      seconds(5));
  EXPECT_EQ(shot.pixel(at.left() + 365, at.top() + 200), kDarkBlue);
  EXPECT_EQ(shot.pixel(at.left() + 300, at.top() + 20), kDarkBlue);
  EXPECT_EQ(shot.pixel(at.left() + 350, at.top() + 143), 0xFF000000);  // "VER  3.0" on black
  EXPECT_NE(shot.pixel(at.left() + 80, at.top() + 8), kDarkBlue);      // the artwork

  ASSERT_TRUE(waitUntil([&] { return !kepa.splash().has_value(); }, seconds(15)));
  // A timer never fires early, so the splash was up for its 2.5 seconds.
  EXPECT_GE(std::chrono::steady_clock::now() - shown, milliseconds(2000));
  EXPECT_TRUE(kepa.process().running());
  EXPECT_TRUE(kepa.trayIcon().has_value());
}

TEST_F(KepaOnDesktop, ExitFromTheMenuEndsWithStatusZeroAndTakesTheIcon) {
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Up Return");  // ＫＥＰＡＫＥＰＡの終了, the last item
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
  EXPECT_NE(kepa.log().find("kepa: chosen ＫＥＰＡＫＥＰＡの終了"), std::string::npos);
  EXPECT_TRUE(kepa.windows().empty());
}

TEST_F(KepaOnDesktop, TerminationSignalsEndTheOrderlyWay) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  kepa.process().signal(SIGTERM);
  std::optional<int> status = kepa.process().waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);  // ended by the program itself, not killed by the signal

  // The same for an interrupt, with the tray menu open.
  kepa.start();
  ASSERT_TRUE(kepa.openTrayMenu());
  kepa.process().signal(SIGINT);
  status = kepa.process().waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
  session.xdotool("mouseup 3");
}

class KepaWithoutTray : public KepaOnDesktop {
 protected:
  KepaWithoutTray() : KepaOnDesktop(XSession::Desktop::BareServer) {}
};

TEST_F(KepaWithoutTray, SaysSoAndExitsWithStatusOne) {
  std::optional<XWindow> box;
  ASSERT_TRUE(waitUntil(
      [&] {
        for (const XWindow& window : kepa.windows()) {
          if (window.name == "KEPA") box = window;
        }
        return box.has_value();
      },
      seconds(30)));
  EXPECT_NE(kepa.log().find("通知領域（システムトレイ）が見つかりません"), std::string::npos)
      << kepa.log();
  EXPECT_TRUE(kepa.process().running());  // waiting for the user to read the message
  session.xdotool("key Return");
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 1);
}

// The command line of the installed autostart entry, with this build's program for `kepa`.
std::vector<std::string> autostartCommand() {
  std::ifstream entry(KEPA_AUTOSTART_ENTRY);
  std::string line;
  while (std::getline(entry, line) && line.rfind("Exec=", 0) != 0) {
  }
  std::istringstream words(line.substr(line.find('=') + 1));
  std::vector<std::string> command;
  for (std::string word; words >> word;)
    command.push_back(word == "kepa" ? KEPA_BINARY : word);
  return command;
}

class KepaAtLogin : public KepaOnDesktop {
 protected:
  KepaAtLogin() : KepaOnDesktop(XSession::Desktop::BareServer, autostartCommand()) {}
};

TEST_F(KepaAtLogin, WaitsQuietlyForASlowPanelThenDocksAndWorks) {
  // The panel comes up 8 s after the program, later than a start by the user waits for it.
  std::this_thread::sleep_for(seconds(8));
  EXPECT_TRUE(kepa.process().running()) << kepa.log();
  EXPECT_TRUE(kepa.windows().empty()) << kepa.log();  // no message box
  ASSERT_TRUE(session.startWindowManager());
  ASSERT_TRUE(kepa.trayIcon().has_value()) << kepa.log();
  ASSERT_TRUE(kepa.openTrayMenu()) << kepa.log();
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  EXPECT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10))) << kepa.log();
  EXPECT_EQ(kepa.log().find("通知領域"), std::string::npos) << kepa.log();
}

TEST_F(KepaAtLogin, ALogoutWhileWaitingEndsAtOnce) {
  std::this_thread::sleep_for(seconds(1));
  kepa.process().signal(SIGTERM);
  const std::optional<int> status = kepa.process().waitFor(seconds(3));
  ASSERT_TRUE(status.has_value()) << kepa.log();
  EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace kepa::xdriver
