// Output on the real program: a converted region saved through the real save dialog and
// checked with ImageMagick, a mosaicked region read back from the clipboard with xclip, the
// region image dragged with real mouse events, the second surprise effect set in the real
// dialog, and the clipping ended and begun again.
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

class OutputOnDesktop : public CaptureOnDesktop {
 protected:
  // Chooses from the clipping menu by keys, waiting for the program to trace the choice.
  void choose(const std::string& keys, const std::string& chosen) {
    ASSERT_TRUE(kepa.chooseFromMenu(keys, chosen)) << "wanted " << chosen << "\n" << kepa.log();
  }
  // How many pixels of `image` differ from `expected(x, y)`.
  static int wrongPixels(const Decoded& image, const std::function<QRgb(int, int)>& expected) {
    int wrong = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x)
        wrong += image.at(x, y) != expected(x, y);
    }
    return wrong;
  }
};

TEST_F(OutputOnDesktop, SavesCopiesShowsDragsAndEndsWithRealInput) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
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
  ASSERT_TRUE(waitUntil([&] { return !slurp(saved).empty(); }, seconds(10))) << kepa.log();
  ASSERT_TRUE(waitUntil([&] { return kepa.clippingWindow().has_value(); }, seconds(10)));
  EXPECT_EQ(homeFiles(), homeBefore);
  EXPECT_EQ(slurp(saved).substr(0, 2), "BM");
  const Decoded grey = readWithImageMagick(saved, session.directory() + "/grey.rgb");
  ASSERT_EQ(grey.width, 201);
  ASSERT_EQ(grey.height, 141);
  // Grey reads one column and one row beyond the region, from the captured screen.
  EXPECT_EQ(wrongPixels(grey,
                        [](int i, int j) {
                          const QRgb p = patternAt(101 + i, 81 + j);
                          const int v = (qRed(p) + qGreen(p) + qBlue(p) + 1) / 3;
                          return qRgb(v, v, v);
                        }),
            0);

  // Mosaic level 3 of the capture, onto the clipboard as PNG and BMP, and read back by
  // another program: 67 x 47 blocks of 3 x 3, each the first pixel of its cell from the drag
  // point.
  choose("Down Down Down Down Right Right Return", "レベル３");
  choose("Down Down Return", "クリップボ－ド格納");
  const Decoded mosaic = clipboardImage("mosaic");
  ASSERT_EQ(mosaic.width, 201);
  ASSERT_EQ(mosaic.height, 141);
  EXPECT_EQ(
      wrongPixels(mosaic,
                  [](int x, int y) { return patternAt(100 + 3 * (x / 3), 80 + 3 * (y / 3)); }),
      0);
  const std::string targets = session.directory() + "/targets";
  ASSERT_TRUE(session.run("xclip -selection clipboard -t TARGETS -o > '" + targets + "'"));
  EXPECT_NE(slurp(targets).find("image/bmp"), std::string::npos) << slurp(targets);

  // Show the region image (at its place in the window's layout, (136, 8)) and drag it with
  // the real mouse: its centre lands on the drop point; 600 - 100.5 and 400 - 70.5 round,
  // halves to even, to (500, 330).
  choose("Down Down Down Down Down Down Return", "変更後の画像表示");
  const QRgb firstBlock = patternAt(100, 80);
  ASSERT_TRUE(
      waitUntil([&] { return session.screenshot().pixel(137, 9) == firstBlock; }, seconds(10)));
  session.xdotool(
      "mousemove 140 12 sleep 0.2 mousedown 1 sleep 0.1 mousemove 160 30 sleep 0.1 "
      "mousemove 400 300 sleep 0.1 mousemove 600 400 sleep 0.2 mouseup 1 sleep 0.2 "
      "mousemove 900 700");
  EXPECT_TRUE(waitUntil(
      [&] {
        const QImage shot = session.screenshot();
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
      [&] { return session.screenshot().pixel(500, 330) == (patternAt(500, 330) ^ 0x00FFFFFFU); },
      seconds(10)));
}

TEST_F(OutputOnDesktop, TheSecondSurpriseEffectTakesItsColourAndOperationFromTheDialog) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  select({100, 80}, {140, 110});  // 40 x 30 selected: a 41 x 31 region image
  choose("Down Down Down Down Right Down Down Return", "お楽しみ2");
  const std::optional<XWindow> dialog = shown("カスタム設定");
  ASSERT_TRUE(dialog.has_value()) << kepa.log();
  const auto in = [&](int x, int y) { return at(dialog->geometry.topLeft() + QPoint(x, y)); };
  // The red bar's thumb, at 50 of 255, dragged to the right end; then "３" and OK.
  session.xdotool("sleep 0.3 mousemove " + in(77, 48) + " sleep 0.2 mousedown 1 sleep 0.1 " +
                  "mousemove " + in(150, 48) + " sleep 0.1 mousemove " + in(400, 48) +
                  " sleep 0.2 mouseup 1 sleep 0.2");
  session.xdotool("mousemove " + in(104, 224) + " sleep 0.1 click 1 sleep 0.2 mousemove " +
                  in(204, 268) + " sleep 0.1 click 1");
  ASSERT_TRUE(gone("カスタム設定"));
  session.xdotool("mousemove 600 500 sleep 0.2");
  choose("Down Down Return", "クリップボ－ド格納");
  const Decoded region = clipboardImage("surprise");
  ASSERT_EQ(region.width, 41);
  ASSERT_EQ(region.height, 31);
  // F: red 255 (dragged), green and blue 50 (their defaults); "３" is S XOR F.
  const QRgb fill = qRgb(255, 50, 50);
  EXPECT_EQ(wrongPixels(region,
                        [&](int i, int j) {
                          return i == 40 || j == 30
                                     ? fill
                                     : (patternAt(101 + i, 81 + j) ^ fill) | 0xFF000000U;
                        }),
            0);
}

}  // namespace
}  // namespace kepa::xdriver
