// kepa.exe, the Win32 front end, under wine on a private Xvfb with icewm, driven by real X
// input: wine docks its icon in icewm's tray by XEmbed, and its windows are X windows. The
// program is the win32 build's (KEPA_WIN32_EXE), run in a wine prefix of that build's own
// (KEPA_WINE_PREFIX) by tools/wine/run.sh.
#include <algorithm>
#include <cstdlib>

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

#include "core/bmp.h"
#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::kTaskbarTop;
using testing::pattern;
using testing::patternAt;

// Ends the wine server of `prefix`, and with it every program of the prefix.
void endWine(const std::string& prefix) {
  [[maybe_unused]] const int ended =
      std::system(("WINEPREFIX='" + prefix + "' wineserver -k 2>/dev/null").c_str());
}

std::string fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The test prefix's settings: windows unmanaged (icewm's taskbar otherwise comes back above
// the full-screen window), and Japanese fonts for the names Windows' own controls and kepa ask
// for, which are not installed here.
void prepareWine(const std::string& run, const std::string& prefix) {
  const QString settings = QStringLiteral(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n\"Managed\"=\"N\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"
      "\"Tahoma\"=\"IPAPGothic\"\r\n\"MS Shell Dlg\"=\"IPAPGothic\"\r\n"
      "\"MS Shell Dlg 2\"=\"IPAPGothic\"\r\n\"ＭＳ Ｐゴシック\"=\"IPAPGothic\"\r\n"
      "\"Arial Black\"=\"DejaVu Sans\"\r\n");
  QFile file(QString::fromStdString(prefix + ".reg"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xFE", 2);  // UTF-16, little-endian, as regedit reads it
  file.write(reinterpret_cast<const char*>(settings.utf16()), settings.size() * 2);
  file.close();
  // A server of the prefix left from another run belongs to another display.
  endWine(prefix);
  ASSERT_EQ(std::system((run + " '" + prefix + "' regedit /S '" + prefix + ".reg'").c_str()), 0);
  endWine(prefix);
}

class WineDesktop : public CaptureOnDesktop {
 protected:
  WineDesktop()
      : CaptureOnDesktop({}, {1024, 768}, XSession::SessionBus::Private,
                         XSession::Desktop::WithWindowManager, command()) {}
  ~WineDesktop() override { endWine(fromEnvironment("KEPA_WINE_PREFIX")); }

  static std::vector<std::string> command() {
    const std::string run = KEPA_SOURCE_ROOT "/tools/wine/run.sh";
    const std::string prefix = fromEnvironment("KEPA_WINE_PREFIX");
    if (!prefix.empty()) prepareWine(run, prefix);
    return {run, prefix, fromEnvironment("KEPA_WIN32_EXE")};
  }

  // The icon wine docks in the tray (wine's explorer owns it, not the program).
  std::optional<XWindow> trayIcon() {
    std::optional<XWindow> icon;
    waitUntil(
        [&] {
          const std::vector<XWindow> icons = session.trayIcons();
          if (!icons.empty()) icon = icons.front();
          return icon.has_value();
        },
        seconds(30));
    return icon;
  }
  // The keyboard goes to the window that has the X input focus, which wine's unmanaged
  // windows (popup menus, dialogs) are not given by icewm: the test gives it to them.
  void focus(const XWindow& window) {
    session.xdotool("windowfocus " + std::to_string(window.id) + " sleep 0.2");
  }
  // Opens the menu with the right button where the pointer is and chooses an item: in the
  // clipping menu by `keys` (the clipping window has the keyboard first: its menu closes when
  // it loses it), in the tray's menu by a click on the first or the last item (the menu's own
  // window, which wine keeps the keyboard from); then waits for the trace of `chosen`.
  ::testing::AssertionResult choose(const std::string& keys, const std::string& chosen) {
    const std::string line = "kepa: chosen " + chosen + "\n";
    const auto times = [&] {
      const std::string log = kepa.log();
      std::size_t found = 0;
      for (auto i = log.find(line); i != std::string::npos; i = log.find(line, i + 1))
        ++found;
      return found;
    };
    const std::size_t before = times();
    const std::optional<XWindow> clipping = kepa.clippingWindow();
    if (clipping) focus(*clipping);
    // A new icon may miss its first press.
    const bool opened = waitUntil(
        [&] {
          session.xdotool("mousedown 3");
          if (waitUntil([&] { return !kepa.menus().empty(); }, seconds(3))) return true;
          session.xdotool("mouseup 3");
          return false;
        },
        seconds(20));
    if (!opened) return ::testing::AssertionFailure() << "no menu\n" << kepa.log();
    // The menu takes input once its loop runs, a moment after its window shows.
    session.xdotool("sleep 0.5");
    if (clipping) {
      session.xdotool("key " + keys + " mouseup 3");
    } else {
      const QRect menu = kepa.menus().back().geometry;
      // Right of the middle: the icon's tip may cover the left of the last item.
      const QPoint item(menu.right() - 20, keys == "last" ? menu.bottom() - 12 : menu.top() + 12);
      session.xdotool("mouseup 3 sleep 0.3 mousemove " + at(item) + " sleep 0.3 click 1");
    }
    if (!waitUntil([&] { return times() > before; }, seconds(10)))
      return ::testing::AssertionFailure() << "wanted " << chosen << "\n" << kepa.log();
    return ::testing::AssertionSuccess();
  }
};

TEST_F(WineDesktop, TrayCaptureClipboardSaveAndExit) {
  ASSERT_FALSE(fromEnvironment("KEPA_WIN32_EXE").empty()) << "run from the win32 build's tests";
  const std::optional<XWindow> icon = trayIcon();
  ASSERT_TRUE(icon.has_value()) << kepa.log();

  // The tray menu on the right press, its captions in order; スタ－トキャプチャ－ freezes the
  // screen: every pixel the picture, and so it stays after the real screen changed.
  session.setRootPicture(pattern(session.screen().size()));
  const QPoint centre = icon->geometry.center();
  session.xdotool("mousemove " + at(centre) + " sleep 0.3");
  ASSERT_TRUE(choose("first", "スタ－トキャプチャ－"));
  EXPECT_NE(kepa.log().find("kepa: menu ＫＥＰＡメニュ－[スタ－トキャプチャ－|-|バ－ジョン情報|-|"
                            "ＫＥＰＡＫＥＰＡの終了]"),
            std::string::npos)
      << kepa.log();
  ASSERT_TRUE(waitUntil([&] { return kepa.clippingWindow().has_value(); }, seconds(10)))
      << kepa.log();
  QImage inverted = pattern(session.screen().size());
  inverted.invertPixels();
  session.setRootPicture(inverted);
  // Wine's tray shows the icon's tip above every window, the frozen screen's too.
  const QRect tip(centre - QPoint(100, 60), QSize(300, 60));
  QPoint wrong;
  EXPECT_TRUE(waitUntil(
      [&] {
        const QImage shot = session.screenshot();
        for (int y = 0; y < kTaskbarTop; ++y) {
          for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) != patternAt(x, y) && !tip.contains(x, y)) {
              wrong = {x, y};
              return false;
            }
          }
        }
        return true;
      },
      seconds(10)))
      << "first wrong pixel at " << wrong.x() << "," << wrong.y();

  // A drag selects 200 x 140 pixels; クリップボ－ド格納 puts the 201 x 141 region image on the X
  // clipboard as a bitmap: the pixels inside the frame and a last row and column of white.
  select({100, 80}, {300, 220});
  const auto expected = [](int i, int j) {
    return i == 200 || j == 140 ? qRgb(255, 255, 255) : patternAt(101 + i, 81 + j);
  };
  ASSERT_TRUE(choose("Down Down Return", "クリップボ－ド格納"));
  const std::string copied = session.directory() + "/copied.bmp";
  QImage clipboard;
  ASSERT_TRUE(waitUntil(
      [&] {
        return session.run("xclip -selection clipboard -t image/bmp -o > '" + copied + "'") &&
               !(clipboard = testing::readImage(copied)).isNull();
      },
      seconds(10)));
  ASSERT_EQ(clipboard.size(), QSize(201, 141));
  EXPECT_EQ(testing::wrongPixels(clipboard, expected), 0);

  // 名前を付けて保存 writes the 24-bit bitmap the Linux build writes for the same region.
  ASSERT_TRUE(choose("Down Return", "名前を付けて保存"));
  const std::optional<XWindow> dialog = shown("名前を付けて保存");
  ASSERT_TRUE(dialog.has_value()) << kepa.log();
  focus(*dialog);
  const std::string saved = session.directory() + "/saved.bmp";
  std::string windowsPath = "Z:" + saved;  // the whole file system is drive Z: under wine
  std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
  session.xdotool("sleep 0.5 key ctrl+a type --delay 20 '" + windowsPath + "'");
  session.xdotool("key Return");
  ASSERT_TRUE(waitUntil([&] { return !readFile(saved).empty(); }, seconds(10))) << kepa.log();
  Surface region(201, 141);
  for (int j = 0; j < 141; ++j) {
    for (int i = 0; i < 201; ++i)
      region.row(j)[i] = expected(i, j);
  }
  const std::vector<std::uint8_t> bytes = encodeBmp(region);
  EXPECT_EQ(readFile(saved), std::string(bytes.begin(), bytes.end()));

  // クリッピング終了, then ＫＥＰＡＫＥＰＡの終了 from the tray: status 0, and the icon is gone.
  ASSERT_TRUE(choose("Up Return", "クリッピング終了"));
  ASSERT_TRUE(waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10)));
  session.xdotool("mousemove " + at(centre) + " sleep 0.3");
  ASSERT_TRUE(choose("last", "ＫＥＰＡＫＥＰＡの終了"));
  EXPECT_EQ(kepa.process().waitFor(seconds(20)), 0) << kepa.log();
  EXPECT_TRUE(waitUntil([&] { return session.trayIcons().empty(); }, seconds(10)));
}

}  // namespace
}  // namespace kepa::xdriver
