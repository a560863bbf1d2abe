// kepa in a real Wayland session, headless: sway with Xwayland, the screenshot portal, waybar
// as the StatusNotifierItem tray host, and a virtual pointer and virtual keyboard as the user.
// The screen comes through the portal, grim is the ground truth for its pixels, and the
// clipboard is read back on the Wayland side with wl-paste.
#include <chrono>
#include <thread>

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include "tests/e2e/desktop_fixture.h"
#include "tools/wldriver/wayland_session.h"

namespace kepa {
namespace {

using std::chrono::seconds;
using wldriver::WaylandSession;
using xdriver::Process;
using xdriver::readFile;
using xdriver::waitUntil;
using xdriver::testing::pattern;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// waybar's tray: the one icon at the right end of the 30-pixel bar, and the first item of
// the menu that waybar draws below it.
const QPoint kTrayIcon(1905, 15);
const QPoint kFirstTrayItem(1800, 27);

// The pixels of `shot` that differ from `expected`, outside the boxes to skip.
int differences(const QImage& shot, const QImage& expected, const std::vector<QRect>& skip) {
  int count = 0;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const bool skipped = std::any_of(skip.begin(), skip.end(),
                                       [&](const QRect& box) { return box.contains(x, y); });
      count += !skipped && shot.pixel(x, y) != expected.pixel(x, y);
    }
  }
  return count;
}

// kepa in a session of its own: one output of kWidth x kHeight pixels at `scale` showing
// `background`.
class KepaInWayland {
 public:
  KepaInWayland(const QImage& background, int scale)
      : session(kWidth, kHeight, background, scale),
        kepa(session.start({"env", "KEPA_TRACE_MENUS=1", KEPA_BINARY},
                           session.directory() + "/kepa.log")) {}

  // The icon in waybar's tray, once it is there.
  bool docked() {
    return waitUntil(
        [&] { return session.trayItems().find("StatusNotifierItem") != std::string::npos; },
        seconds(20));
  }
  [[nodiscard]] std::string log() const { return readFile(session.directory() + "/kepa.log"); }
  [[nodiscard]] std::size_t timesInLog(const std::string& line) const {
    const std::string text = log();
    std::size_t count = 0;
    for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
      ++count;
    return count;
  }
  // Types keys (wtype's -k names) on a new virtual keyboard, a Shift first: Xwayland takes the
  // first key after a keymap arrives for the keymap's own.
  bool keys(const std::string& names) const {
    return session.run("wtype -d 60 -k Shift_L " + names);
  }
  // Chooses from the clipping menu (a right press on the frozen screen) by keys.
  bool chooseFromClipMenu(const std::string& names, const std::string& chosen) {
    const std::size_t before = timesInLog("kepa: chosen " + chosen);
    const std::size_t menus = timesInLog("kepa: menu クリッピングメニュ－");
    session.press(WaylandSession::kRight);
    const bool shown = waitUntil(
        [&] { return timesInLog("kepa: menu クリッピングメニュ－") > menus; }, seconds(5));
    // The trace comes as the menu is being shown, before it has the keyboard.
    const bool typed = shown && session.run("sleep 0.3") && keys(names);
    session.release(WaylandSession::kRight);
    return typed &&
           waitUntil([&] { return timesInLog("kepa: chosen " + chosen) > before; }, seconds(10));
  }
  // A drag over the frozen screen from `from` to `to`, then クリップボ－ド格納: the region
  // image as wl-paste reads it from the Wayland clipboard.
  QImage selectAndCopy(QPoint from, QPoint to) {
    // At a human pace: the handlers read where the pointer is when they run.
    const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); };
    session.movePointer(from);
    pause();
    session.press(WaylandSession::kLeft);
    pause();
    session.movePointer((from + to) / 2);
    session.movePointer(to);
    pause();
    session.release(WaylandSession::kLeft);
    pause();
    if (!chooseFromClipMenu("-k Down -k Down -k Return", "クリップボ－ド格納")) return {};
    const std::string copied = session.directory() + "/copied.png";
    if (!waitUntil([&] { return session.run("wl-paste -t image/png > " + copied); }, seconds(10)))
      return {};
    return QImage(QString::fromStdString(copied)).convertToFormat(QImage::Format_RGB32);
  }

  WaylandSession session;
  std::unique_ptr<Process> kepa;
};

// The region image of a drag from (100, 80) to (300, 220) over `screen`: the pixels inside
// the frame and a last row and column of white, as on X11.
QImage regionOf(const QImage& screen) {
  QImage expected = screen.copy(101, 81, 201, 141);
  for (int i = 0; i <= 200; ++i)
    expected.setPixel(i, 140, qRgb(255, 255, 255));
  for (int j = 0; j <= 140; ++j)
    expected.setPixel(200, j, qRgb(255, 255, 255));
  return expected;
}

class WaylandDesktop : public ::testing::Test, public KepaInWayland {
 protected:
  WaylandDesktop() : KepaInWayland(pattern(QSize(kWidth, kHeight)), 1) {}
};

TEST_F(WaylandDesktop, TrayMenuCaptureRegionClipboardMagnifierAndExit) {
  // The icon in waybar's tray, and its menu drawn by waybar on the right press.
  ASSERT_TRUE(docked()) << log();
  // The compositor draws the pointer into every picture of the screen, grim's and the
  // portal's: the boxes where it was are left out of the comparisons.
  const QPoint aside(900, 700);
  session.movePointer(aside);
  const QImage before = session.screenshot();
  session.click(kTrayIcon, WaylandSession::kRight);
  ASSERT_TRUE(waitUntil([&] { return timesInLog("kepa: menu ＫＥＰＡ") > 0; }, seconds(10)))
      << log();
  ASSERT_TRUE(waitUntil(
      [&] { return session.screenshot().pixel(kFirstTrayItem) != before.pixel(kFirstTrayItem); },
      seconds(5)))
      << "waybar showed no menu";

  // "スタ－トキャプチャ－": the frozen screen is the screen before, pixel for pixel, with no
  // menu in it. The portal draws the pointer into its picture, where the click left it or,
  // when it takes its picture late, where it went next; the canvas draws the cross-hair where
  // the pointer is now.
  session.click(kFirstTrayItem, WaylandSession::kLeft);
  ASSERT_TRUE(
      waitUntil([&] { return timesInLog("kepa: chosen スタ－トキャプチャ－") > 0; }, seconds(10)))
      << log();
  const QPoint away(700, 500);
  session.movePointer(away);
  const std::vector<QRect> pointers{QRect(aside - QPoint(2, 2), QSize(40, 40)),
                                    QRect(kFirstTrayItem - QPoint(2, 2), QSize(40, 40)),
                                    QRect(away - QPoint(16, 16), QSize(56, 56))};
  int wrong = 0;
  EXPECT_TRUE(
      waitUntil([&] { return (wrong = differences(session.screenshot(), before, pointers)) == 0; },
                seconds(10)))
      << wrong << " pixels differ";

  // A drag selects 200 x 140 pixels: the 201 x 141 region image reaches the Wayland clipboard.
  const QImage region = selectAndCopy({100, 80}, {300, 220});
  ASSERT_EQ(region.size(), QSize(201, 141)) << log();
  EXPECT_EQ(differences(region, regionOf(before), {}), 0);

  // The magnifier opens over the frozen screen, and jumps away when the pointer comes onto it.
  const QImage selected = session.screenshot();
  ASSERT_TRUE(chooseFromClipMenu("-k Down -k Down -k Down -k Down -k Down -k Return", "虫眼鏡"))
      << log();
  // Where the screen differs from the one with the selection, away from the pointer's places.
  const auto magnifierArea = [&](const std::vector<QPoint>& pointers) {
    const QImage shot = session.screenshot();
    QRect area;
    for (int y = 0; y < shot.height(); y += 2) {
      for (int x = 0; x < shot.width(); x += 2) {
        if (shot.pixel(x, y) != selected.pixel(x, y) &&
            std::none_of(pointers.begin(), pointers.end(), [&](QPoint at) {
              return QRect(at - QPoint(20, 20), QSize(42, 42)).contains(x, y);
            }))
          area |= QRect(x, y, 2, 2);
      }
    }
    return area;
  };
  QRect shown;
  const auto opened = [&] { return (shown = magnifierArea({{300, 220}})).width() > 100; };
  ASSERT_TRUE(waitUntil(opened, seconds(10))) << log();
  const QPoint onIt = shown.center();
  session.movePointer(onIt);
  EXPECT_TRUE(waitUntil(
      [&] {
        const QRect now = magnifierArea({{300, 220}, onIt});
        return now.width() > 100 && !now.contains(onIt);
      },
      seconds(10)))
      << "the magnifier stayed under the pointer";

  // "ＫＥＰＡＫＥＰＡの終了" from the tray: status 0, and the icon is gone from waybar.
  ASSERT_TRUE(chooseFromClipMenu("-k Up -k Return", "クリッピング終了")) << log();
  session.click(kTrayIcon, WaylandSession::kRight);
  ASSERT_TRUE(waitUntil([&] { return timesInLog("kepa: menu ＫＥＰＡ") > 1; }, seconds(10)))
      << log();
  session.click(kFirstTrayItem + QPoint(0, 50), WaylandSession::kLeft);
  EXPECT_EQ(kepa->waitFor(seconds(10)), 0) << log();
  EXPECT_TRUE(
      waitUntil([&] { return session.trayItems().find("StatusNotifierItem") == std::string::npos; },
                seconds(10)));
}

// An output at twice the scale, the capture asked of the running kepa by a second one: the
// frozen screen is in the X server's pixels, not a corner of the portal's picture.
TEST(WaylandScaledDesktop, CapturesInLogicalPixels) {
  const QImage logical = pattern(QSize(kWidth / 2, kHeight / 2));
  KepaInWayland desktop(logical.scaled(kWidth, kHeight), 2);
  ASSERT_TRUE(desktop.docked()) << desktop.log();
  // The pointer, which the compositor draws into the picture, keeps out of the region until the
  // frozen screen (whose cross-hair shows at the pointer) is up.
  desktop.session.movePointer({700, 400});
  ASSERT_TRUE(desktop.session.run(std::string(KEPA_BINARY) + " --capture"));
  const QPoint aside(60, 300);
  desktop.session.movePointer(aside);
  ASSERT_TRUE(waitUntil(
      [&] {
        const QPoint left = aside - QPoint(8, 0);
        return desktop.session.screenshot().pixel(2 * left) != logical.pixel(left);
      },
      seconds(20)))
      << desktop.log();
  const QImage region = desktop.selectAndCopy({100, 80}, {300, 220});
  ASSERT_EQ(region.size(), QSize(201, 141)) << desktop.log();
  EXPECT_EQ(differences(region, regionOf(logical), {}), 0);
}

}  // namespace
}  // namespace kepa
