// The clipboard after the program has ended: with a clipboard manager running (xfsettingsd,
// which takes the freedesktop CLIPBOARD_MANAGER selection), Qt hands the image over on exit,
// and other programs still read it.
#include <cstdlib>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::Decoded;
using testing::pattern;
using testing::patternAt;
using testing::readWithImageMagick;
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
  session.xdotool("mousemove 0 0 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 200 sleep 0.1 " +
                  ("mousemove " + std::to_string(right) + " " + std::to_string(bottom)) +
                  " sleep 0.2 mouseup 1 sleep 0.2");
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
  const Decoded image = readWithImageMagick(png, png + ".rgb");
  EXPECT_EQ(QSize(image.width, image.height), QSize(right + 1, bottom + 1));
  ASSERT_GT(image.width, 10);
  EXPECT_EQ(image.at(10, 10), patternAt(11, 11));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClipboardAfterExit,
                         ::testing::Values(QSize(1024, 768), QSize(3840, 2160)));

}  // namespace
}  // namespace kepa::xdriver
