// The real program on a real X server with a window manager and tray host, driven by real
// X input events.
#include <csignal>

#include <gtest/gtest.h>

#include "process.h"
#include "x_session.h"

namespace kepa::e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr QRgb kDarkBlue = 0xFF000080;

class KepaOnDesktop : public ::testing::Test {
 protected:
  explicit KepaOnDesktop(XSession::Desktop desktop = XSession::Desktop::WithWindowManager)
      : session(desktop) {}

  void SetUp() override { startKepa(); }

  void startKepa() {
    auto environment = session.environment();
    environment["KEPA_TRACE_MENUS"] = "1";
    kepa = std::make_unique<Process>(std::vector<std::string>{KEPA_BINARY}, environment, logPath());
  }

  void TearDown() override {
    if (HasFailure()) {
      std::printf("kepa's output:\n%s\nscreenshot: %s\n", readFile(logPath()).c_str(),
                  session.saveScreenshot("failure").c_str());
      for (const XWindow& window : windows()) {
        std::printf("window 0x%lx %dx%d+%d+%d%s%s %s \"%s\"\n", window.id, window.geometry.width(),
                    window.geometry.height(), window.geometry.x(), window.geometry.y(),
                    window.overrideRedirect ? " override-redirect" : "",
                    window.embedded ? " embedded" : "", window.type.c_str(), window.name.c_str());
      }
    }
  }

  [[nodiscard]] std::string logPath() const { return session.directory() + "/kepa.log"; }
  [[nodiscard]] std::string log() const { return readFile(logPath()); }

  std::vector<XWindow> windows() { return session.windowsOf(kepa->pid()); }

  // The icon docked in the tray, once it is there.
  std::optional<XWindow> trayIcon() {
    std::optional<XWindow> icon;
    waitUntil(
        [&] {
          for (const XWindow& window : windows()) {
            if (window.embedded) icon = window;
          }
          return icon.has_value();
        },
        seconds(20));
    return icon;
  }

  // Popup menus of the program: override-redirect windows that are neither the icon nor a
  // tooltip.
  std::vector<XWindow> menus() {
    std::vector<XWindow> found;
    for (const XWindow& window : windows()) {
      if (window.overrideRedirect && !window.embedded &&
          window.type.find("TOOLTIP") == std::string::npos) {
        found.push_back(window);
      }
    }
    return found;
  }

  // Presses the right button on the icon and keeps it down; returns once the menu is up.
  bool openTrayMenu() {
    const std::optional<XWindow> icon = trayIcon();
    if (!icon) return false;
    const QPoint centre = icon->geometry.center();
    session.xdotool("mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                    " mousedown 3");
    return waitUntil([&] { return !menus().empty(); }, seconds(10));
  }

  std::optional<XWindow> splash() {
    for (const XWindow& window : windows()) {
      if (window.geometry.size() == QSize(371, 206)) return window;
    }
    return std::nullopt;
  }

  XSession session;
  std::unique_ptr<Process> kepa;
};

TEST_F(KepaOnDesktop, IconIsDockedInTheTrayAndNothingElseShows) {
  const std::optional<XWindow> icon = trayIcon();
  ASSERT_TRUE(icon.has_value());
  EXPECT_LE(icon->geometry.width(), 32);
  EXPECT_GT(icon->geometry.top(), 700);  // icewm's taskbar runs along the bottom
  EXPECT_EQ(windows().size(), 1U);

  // The icon's own picture: dark blue ground, white brackets and a red ring.
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
  EXPECT_TRUE(blue && white && red);
}

TEST_F(KepaOnDesktop, RightPressOpensTheMenuBeforeTheRelease) {
  ASSERT_TRUE(openTrayMenu());  // the button is still down
  EXPECT_NE(log().find("kepa: menu ＫＥＰＡメニュ－[スタ－トキャプチャ－|-|バ－ジョン情報|-|"
                       "ＫＥＰＡＫＥＰＡの終了]"),
            std::string::npos)
      << log();
  session.xdotool("key Escape mouseup 3");
  EXPECT_TRUE(waitUntil([&] { return menus().empty(); }, seconds(10)));
  EXPECT_TRUE(
      waitUntil([&] { return log().find("kepa: chosen -") != std::string::npos; }, seconds(10)));
  EXPECT_TRUE(kepa->running());
}

TEST_F(KepaOnDesktop, LeftClickOpensNothing) {
  const std::optional<XWindow> icon = trayIcon();
  ASSERT_TRUE(icon.has_value());
  const QPoint centre = icon->geometry.center();
  session.xdotool("mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                  " click 1");
  // Give a menu every chance to appear: none may.
  EXPECT_FALSE(waitUntil([&] { return !menus().empty() || splash(); }, milliseconds(1500)));
  EXPECT_EQ(log().find("kepa: menu"), std::string::npos);
  EXPECT_TRUE(kepa->running());
}

TEST_F(KepaOnDesktop, VersionSplashShowsDarkBlueCentredThenGoes) {
  ASSERT_TRUE(openTrayMenu());
  session.xdotool("mouseup 3 key Down Down Return");  // バ－ジョン情報
  ASSERT_TRUE(waitUntil([&] { return splash().has_value(); }, seconds(10)));
  const auto shown = std::chrono::steady_clock::now();
  const QRect at = splash()->geometry;
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

  ASSERT_TRUE(waitUntil([&] { return !splash().has_value(); }, seconds(15)));
  // A timer never fires early, so the splash was up for its 2.5 seconds.
  EXPECT_GE(std::chrono::steady_clock::now() - shown, milliseconds(2000));
  EXPECT_TRUE(kepa->running());
  EXPECT_TRUE(trayIcon().has_value());
}

TEST_F(KepaOnDesktop, ExitFromTheMenuEndsWithStatusZeroAndTakesTheIcon) {
  ASSERT_TRUE(openTrayMenu());
  session.xdotool("mouseup 3 key Up Return");  // ＫＥＰＡＫＥＰＡの終了, the last item
  const std::optional<int> status = kepa->waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
  EXPECT_NE(log().find("kepa: chosen ＫＥＰＡＫＥＰＡの終了"), std::string::npos);
  EXPECT_TRUE(windows().empty());
}

TEST_F(KepaOnDesktop, TerminationSignalsEndTheOrderlyWay) {
  ASSERT_TRUE(trayIcon().has_value());
  kepa->signal(SIGTERM);
  std::optional<int> status = kepa->waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);  // ended by the program itself, not killed by the signal

  // The same for an interrupt, with the tray menu open.
  startKepa();
  ASSERT_TRUE(openTrayMenu());
  kepa->signal(SIGINT);
  status = kepa->waitFor(seconds(10));
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
        for (const XWindow& window : windows()) {
          if (window.name == "KEPA") box = window;
        }
        return box.has_value();
      },
      seconds(30)));
  EXPECT_NE(log().find("通知領域（システムトレイ）が見つかりません"), std::string::npos) << log();
  EXPECT_TRUE(kepa->running());  // waiting for the user to read the message
  session.xdotool("key Return");
  const std::optional<int> status = kepa->waitFor(seconds(10));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 1);
}

}  // namespace
}  // namespace kepa::e2e
