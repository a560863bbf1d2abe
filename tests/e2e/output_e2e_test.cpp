// Output on the real program: a converted region saved through the real save dialog and read
// back from the clipboard with xclip, also after the program has ended where a clipboard
// manager runs; the region image dragged with real mouse events; the clipping ended and begun
// again. (The settings dialog's rules are the forms tests', its widgets the Qt tests'.)
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::pattern;
using testing::patternAt;
using testing::readImage;
using testing::wrongPixels;

class OutputOnDesktop : public CaptureOnDesktop {
 protected:
  // Chooses from the clipping menu by keys, waiting for the program to trace the choice.
  void choose(const std::string& keys, const std::string& chosen) {
    ASSERT_TRUE(kepa.chooseFromMenu(keys, chosen)) << "wanted " << chosen << "\n" << kepa.log();
  }
};

TEST_F(OutputOnDesktop, SavesCopiesShowsDragsAndEndsWithRealInput) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(kepa.startCapture());
  select({100, 80}, {300, 220});  // 200 x 140 pixels selected: a 201 x 141 region image

  // Grey, then save it through the dialog, typing a name in a folder of the session's. The
  // save writes that file and nothing else: no settings of the dialog's in the home folder.
  choose("Down Down Down Right Down Down Down Down Return", "グレ－スケ－ル変換");
  const auto homeFiles = [&] {
    std::set<std::string> files;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(session.directory() + "/home"))
      files.insert(entry.path().string());
    return files;
  };
  const std::set<std::string> homeBefore = homeFiles();
  choose("Down Return", "名前を付けて保存");
  ASSERT_TRUE(shown("名前を付けて保存").has_value()) << kepa.log();
  const std::string saved = session.directory() + "/grey.bmp";
  session.xdotool("sleep 0.5 key ctrl+a type --delay 20 '" + saved + "'");
  session.xdotool("key Return");
  ASSERT_TRUE(waitUntil([&] { return !readFile(saved).empty(); }, seconds(10))) << kepa.log();
  ASSERT_TRUE(waitUntil([&] { return kepa.clippingWindow().has_value(); }, seconds(10)));
  EXPECT_EQ(homeFiles(), homeBefore);
  EXPECT_EQ(readFile(saved).substr(0, 2), "BM");
  // Grey reads one column and one row beyond the region, from the captured screen.
  const auto grey = [](int i, int j) {
    const QRgb p = patternAt(101 + i, 81 + j);
    const int v = (qRed(p) + qGreen(p) + qBlue(p) + 1) / 3;
    return qRgb(v, v, v);
  };
  const QImage file = readImage(saved);
  ASSERT_EQ(file.size(), QSize(201, 141));
  EXPECT_EQ(wrongPixels(file, grey), 0);

  // The same image on the clipboard, as PNG and as BMP, read back by another program.
  choose("Down Down Return", "クリップボ－ド格納");
  const QImage copied = clipboardImage("grey");
  ASSERT_EQ(copied.size(), QSize(201, 141));
  EXPECT_EQ(wrongPixels(copied, grey), 0);
  const std::string targets = session.directory() + "/targets";
  ASSERT_TRUE(session.run("xclip -selection clipboard -t TARGETS -o > '" + targets + "'"));
  EXPECT_NE(readFile(targets).find("image/bmp"), std::string::npos) << readFile(targets);

  // The region image shown at (136, 8) and dragged with the real mouse: its centre lands on the
  // drop point, 600 - 100.5 and 400 - 70.5 rounding (halves to even) to (500, 330).
  choose("Down Down Down Down Down Down Return", "変更後の画像表示");
  ASSERT_TRUE(
      waitUntil([&] { return session.screenshot().pixel(137, 9) == grey(1, 1); }, seconds(10)));
  session.xdotool(
      "mousemove 140 12 sleep 0.2 mousedown 1 sleep 0.1 mousemove 160 30 sleep 0.1 "
      "mousemove 400 300 sleep 0.1 mousemove 600 400 sleep 0.2 mouseup 1 sleep 0.2 "
      "mousemove 900 700");
  EXPECT_TRUE(waitUntil(
      [&] {
        const QImage shot = session.screenshot();
        return shot.pixel(500, 330) == grey(0, 0) && shot.pixel(700, 470) == grey(200, 140) &&
               shot.pixel(140, 12) == patternAt(140, 12);
      },
      seconds(10)));

  // End the clipping and capture again: a fresh clipping window on the screen as it is now.
  choose("Up Return", "クリッピング終了");
  ASSERT_TRUE(waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10)));
  QImage inverted = pattern(session.screen().size());
  inverted.invertPixels();
  session.setRootPicture(inverted);
  ASSERT_TRUE(kepa.startCapture());
  EXPECT_TRUE(waitUntil(
      [&] { return session.screenshot().pixel(500, 330) == (patternAt(500, 330) ^ 0x00FFFFFFU); },
      seconds(10)));
}

// With a clipboard manager running (xfsettingsd takes the CLIPBOARD_MANAGER selection), Qt
// hands the image over on exit, and other programs still read it; also a 4K screen's.
class ClipboardAfterExit : public ::testing::TestWithParam<QSize> {};

TEST_P(ClipboardAfterExit, TheImageOutlivesTheProgramWhereAClipboardManagerRuns) {
  const QSize size = GetParam();
  XSession session(XSession::Desktop::WithWindowManager, size.width(), size.height());
  Process manager({"dbus-run-session", "--", "xfsettingsd", "--no-daemon", "--disable-wm-check"},
                  session.environment(), session.directory() + "/xfsettingsd.log");
  std::this_thread::sleep_for(std::chrono::seconds(2));
  KepaDriver kepa(session, KEPA_BINARY, session.directory() + "/kepa.log");
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(kepa.startCapture());
  const int right = size.width() - 20;
  const int bottom = size.height() - 60;
  session.xdotool("mousemove 0 0 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 200 sleep 0.1 " +
                  ("mousemove " + std::to_string(right) + " " + std::to_string(bottom)) +
                  " sleep 0.2 mouseup 1 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Return", "クリップボ－ド格納"));
  ASSERT_TRUE(kepa.chooseFromMenu("Up Return", "クリッピング終了"));
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Up Return");
  EXPECT_EQ(kepa.process().waitFor(seconds(30)), 0);

  const std::string png = session.directory() + "/after.png";
  const std::string read = "DISPLAY=" + session.display() +
                           " timeout 20 xclip -selection clipboard -t image/png -o > '" + png + "'";
  ASSERT_EQ(std::system(read.c_str()), 0) << readFile(session.directory() + "/xfsettingsd.log");
  const QImage image = readImage(png);
  EXPECT_EQ(image.size(), QSize(right + 1, bottom + 1));
  ASSERT_GT(image.width(), 10);
  EXPECT_EQ(image.pixel(10, 10), patternAt(11, 11));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClipboardAfterExit,
                         ::testing::Values(QSize(1024, 768), QSize(3840, 2160)),
                         [](const auto& info) {
                           return std::to_string(info.param.width()) + "x" +
                                  std::to_string(info.param.height());
                         });

}  // namespace
}  // namespace kepa::xdriver
