// Output on the real program: a converted region saved through the real save dialog and
// checked with ImageMagick, a mosaicked region read back from the clipboard with xclip, the
// region image shown and dragged with real mouse events, and the clipping ended and begun
// again.
#include <cstdlib>
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::Decoded;
using testing::pattern;
using testing::patternAt;
using testing::readWithImageMagick;
using testing::slurp;

QRgb greyOf(QRgb p) {
  const int v = (qRed(p) + qGreen(p) + qBlue(p) + 1) / 3;
  return qRgb(v, v, v);
}

class OutputOnDesktop : public CaptureOnDesktop {
 protected:
  // Chooses from the clipping menu by keys, waiting for the program to trace the choice.
  void choose(const std::string& keys, const std::string& chosen) {
    ASSERT_TRUE(kepa.chooseFromMenu(keys, chosen)) << "wanted " << chosen << "\n" << kepa.log();
  }
};

TEST_F(OutputOnDesktop, SavesCopiesShowsDragsAndEndsWithRealInput) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 150 sleep 0.1 "
      "mousemove 300 220 sleep 0.2 mouseup 1 sleep 0.2");
  // 200 x 140 pixels selected: a 201 x 141 region image.

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
  ASSERT_TRUE(
      waitUntil([&] { return kepa.windowNamed("名前を付けて保存").has_value(); }, seconds(10)))
      << kepa.log();
  const std::string saved = session.directory() + "/grey.bmp";
  session.xdotool("sleep 0.5 key ctrl+a type --delay 20 '" + saved + "'");
  session.saveScreenshot("save-dialog");
  session.xdotool("key Return");
  ASSERT_TRUE(waitUntil([&] { return !slurp(saved).empty(); }, seconds(10))) << kepa.log();
  ASSERT_TRUE(waitUntil([&] { return kepa.clippingWindow().has_value(); }, seconds(10)));
  EXPECT_EQ(homeFiles(), homeBefore);
  const Decoded grey = readWithImageMagick(saved, session.directory() + "/grey.rgb");
  ASSERT_EQ(grey.width, 201);
  ASSERT_EQ(grey.height, 141);
  EXPECT_EQ(slurp(saved).substr(0, 2), "BM");
  int wrong = 0;
  for (int j = 0; j <= 140; ++j) {
    for (int i = 0; i <= 200; ++i) {
      // Grey reads one column and one row beyond the region, from the captured screen.
      if (grey.at(i, j) != greyOf(patternAt(101 + i, 81 + j))) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);

  // Mosaic level 3 of the capture, onto the clipboard, and read back by another program.
  choose("Down Down Down Down Right Right Return", "レベル３");
  choose("Down Down Return", "クリップボ－ド格納");
  const std::string copied = session.directory() + "/clip.png";
  const std::string xclip = "DISPLAY=" + session.display() + " xclip -selection clipboard ";
  std::string targets;
  ASSERT_TRUE(waitUntil(
      [&] {
        // Fails while nobody owns the clipboard yet.
        if (std::system((xclip + "-t TARGETS -o > '" + copied + ".targets' 2>/dev/null").c_str()) !=
            0) {
          return false;
        }
        targets = slurp(copied + ".targets");
        return targets.find("image/png") != std::string::npos;
      },
      seconds(10)))
      << targets;
  EXPECT_NE(targets.find("image/bmp"), std::string::npos) << targets;
  ASSERT_EQ(std::system((xclip + "-t image/png -o > '" + copied + "'").c_str()), 0);
  const Decoded mosaic = readWithImageMagick(copied, session.directory() + "/clip.rgb");
  ASSERT_EQ(mosaic.width, 201);
  ASSERT_EQ(mosaic.height, 141);
  wrong = 0;
  for (int y = 0; y < 141; ++y) {
    for (int x = 0; x < 201; ++x) {
      // 67 x 47 blocks of 3 x 3, each the first pixel of its cell from the drag point.
      if (mosaic.at(x, y) != patternAt(100 + 3 * (x / 3), 80 + 3 * (y / 3))) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);

  // Show the region image (at its place in the window's layout, (136, 8)) and drag it with
  // the real mouse: its centre lands on the drop point.
  choose("Down Down Down Down Down Down Return", "変更後の画像表示");
  const QRgb firstBlock = patternAt(100, 80);
  ASSERT_TRUE(
      waitUntil([&] { return session.screenshot().pixel(137, 9) == firstBlock; }, seconds(10)));
  session.xdotool(
      "mousemove 140 12 sleep 0.2 mousedown 1 sleep 0.1 mousemove 160 30 sleep 0.1 "
      "mousemove 400 300 sleep 0.1 mousemove 600 400 sleep 0.2 mouseup 1 sleep 0.2 "
      "mousemove 900 700");
  // 600 - 100.5 and 400 - 70.5 round, halves to even, to (500, 330).
  QImage shot;
  EXPECT_TRUE(waitUntil(
      [&] {
        shot = session.screenshot();
        return shot.pixel(500, 330) == firstBlock && shot.pixel(700, 470) == patternAt(298, 218) &&
               shot.pixel(140, 12) == patternAt(140, 12);
      },
      seconds(10)));

  // End the clipping and capture again: a fresh clipping window on the screen as it is now.
  choose("Up Return", "クリッピング終了");
  ASSERT_TRUE(waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10)));
  QImage inverted = pattern(session.screen().size());
  inverted.invertPixels();
  session.setRootPicture(inverted);
  ASSERT_TRUE(startCapture());
  EXPECT_TRUE(waitUntil(
      [&] {
        shot = session.screenshot();
        return shot.pixel(500, 330) == (patternAt(500, 330) ^ 0x00FFFFFFU);
      },
      seconds(10)));
  EXPECT_TRUE(kepa.process().running());
}

TEST_F(OutputOnDesktop, TheSecondSurpriseEffectTakesItsColourAndOperationFromTheDialog) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 140 110 sleep 0.2 mouseup 1 "
      "sleep 0.2");  // 40 x 30 selected: a 41 x 31 region image
  choose("Down Down Down Down Right Down Down Return", "お楽しみ2");
  std::optional<XWindow> dialog;
  ASSERT_TRUE(waitUntil([&] { return (dialog = kepa.windowNamed("カスタム設定")).has_value(); },
                        seconds(10)))
      << kepa.log();
  const QPoint client = dialog->geometry.topLeft();
  const auto at = [&](int x, int y) {
    return std::to_string(client.x() + x) + " " + std::to_string(client.y() + y);
  };
  // The red bar's thumb, at 50 of 255, dragged to the right end; then "３" and OK.
  session.xdotool("sleep 0.3 mousemove " + at(77, 48) + " sleep 0.2 mousedown 1 sleep 0.1 " +
                  "mousemove " + at(150, 48) + " sleep 0.1 mousemove " + at(400, 48) +
                  " sleep 0.2 mouseup 1 sleep 0.2");
  session.xdotool("mousemove " + at(104, 224) + " sleep 0.1 click 1 sleep 0.2 mousemove " +
                  at(204, 268) + " sleep 0.1 click 1");
  ASSERT_TRUE(
      waitUntil([&] { return !kepa.windowNamed("カスタム設定").has_value(); }, seconds(10)));
  session.xdotool("mousemove 600 500 sleep 0.2");
  choose("Down Down Return", "クリップボ－ド格納");
  const std::string copied = session.directory() + "/surprise.png";
  const std::string xclip = "DISPLAY=" + session.display() + " xclip -selection clipboard ";
  ASSERT_TRUE(waitUntil(
      [&] { return std::system((xclip + "-t image/png -o > '" + copied + "'").c_str()) == 0; },
      seconds(10)));
  const Decoded region = readWithImageMagick(copied, session.directory() + "/surprise.rgb");
  ASSERT_EQ(region.width, 41);
  ASSERT_EQ(region.height, 31);
  // F: red 255 (dragged), green and blue 50 (their defaults); "３" is S XOR F.
  const QRgb fill = qRgb(255, 50, 50);
  EXPECT_EQ(region.at(40, 30), fill);
  int wrong = 0;
  for (int j = 0; j < 30; ++j) {
    for (int i = 0; i < 40; ++i) {
      if (region.at(i, j) != ((patternAt(101 + i, 81 + j) ^ fill) | 0xFF000000U)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace kepa::xdriver
