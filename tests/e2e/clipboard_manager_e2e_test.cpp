// The clipboard after the program has ended: with a clipboard manager running (xfsettingsd,
// which takes the freedesktop CLIPBOARD_MANAGER selection), Qt hands the image over on exit,
// and other programs still read it.
#include <cstdlib>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::pattern;
using testing::patternAt;
using testing::slurp;

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
  session.xdotool(
      "mousemove 0 0 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 200 sleep 0.1 "
      "mousemove " +
      std::to_string(right) + " " + std::to_string(bottom) + " sleep 0.2 mouseup 1 sleep 0.2");
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Return", "クリップボ－ド格納"));
  ASSERT_TRUE(kepa.chooseFromMenu("Up Return", "クリッピング終了"));
  ASSERT_TRUE(kepa.openTrayMenu());
  session.xdotool("mouseup 3 key Up Return");
  const std::optional<int> status = kepa.process().waitFor(seconds(30));
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);

  const std::string png = session.directory() + "/after.png";
  const std::string read = "DISPLAY=" + session.display() +
                           " timeout 20 xclip -selection clipboard -t image/png -o > '" + png + "'";
  ASSERT_EQ(std::system(read.c_str()), 0) << slurp(session.directory() + "/xfsettingsd.log");
  const std::string info = png + ".txt";
  ASSERT_EQ(std::system(("identify -format '%w %h' '" + png + "' > '" + info + "'").c_str()), 0);
  EXPECT_EQ(slurp(info), std::to_string(right + 1) + " " + std::to_string(bottom + 1));
  const std::string pixel = png + ".pixel";
  ASSERT_EQ(
      std::system(("convert '" + png + "' -crop 1x1+10+10 -depth 8 rgb:'" + pixel + "'").c_str()),
      0);
  const std::string rgb = slurp(pixel);
  ASSERT_EQ(rgb.size(), 3U);
  const QRgb expected = patternAt(11, 11);
  EXPECT_EQ(qRgb(static_cast<unsigned char>(rgb[0]), static_cast<unsigned char>(rgb[1]),
                 static_cast<unsigned char>(rgb[2])),
            expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClipboardAfterExit,
                         ::testing::Values(QSize(1024, 768), QSize(3840, 2160)));

}  // namespace
}  // namespace kepa::xdriver
