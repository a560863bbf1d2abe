// The fixture of the end-to-end tests that capture: the real program on a private X session
// with a known, asymmetric picture on the screen.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/xdriver/kepa_driver.h"
#include "tools/xdriver/x_session.h"

namespace kepa::xdriver::testing {

using std::chrono::seconds;

// An asymmetric picture: no flip, shift or red/blue swap maps it onto itself.
inline QRgb patternAt(int x, int y) {
  return qRgb(x & 0xFF, y & 0xFF, ((x >> 2) ^ (y >> 3)) & 0xFF);
}

inline QImage pattern(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, patternAt(x, y));
  }
  return image;
}

// icewm's taskbar (with its clock) covers the bottom rows; the picture is checked above it.
constexpr int kTaskbarTop = 740;

class CaptureOnDesktop : public ::testing::Test {
 protected:
  explicit CaptureOnDesktop(const std::vector<std::string>& serverOptions = {},
                            XSession::SessionBus bus = XSession::SessionBus::Private)
      : session(XSession::Desktop::WithWindowManager, 1024, 768, serverOptions, bus) {}

  void TearDown() override {
    if (HasFailure()) {
      std::printf("kepa's output:\n%s\nscreenshot: %s\n", kepa.log().c_str(),
                  session.saveScreenshot("failure").c_str());
    }
  }

  // Chooses スタ－トキャプチャ－ (the first item) and waits for the frozen screen.
  bool startCapture() { return kepa.startCapture(); }

  // The last clipping menu that was shown, as the program traced it.
  std::string lastClipMenu() const {
    const std::string log = kepa.log();
    const std::size_t at = log.rfind("kepa: menu クリッピングメニュ－[");
    return at == std::string::npos ? "" : log.substr(at, log.find('\n', at) - at);
  }

  // Captures the pattern (from the tray, or with `start`), then inverts the real screen, which
  // what the program shows must not follow; false when the capture did not start.
  bool captureThenChangeTheScreen() {
    return captureThenChangeTheScreen([this] { return startCapture(); });
  }
  template <typename Start>
  bool captureThenChangeTheScreen(Start start) {
    const QRect screen = session.screen();
    session.setRootPicture(pattern(screen.size()));
    if (!start()) return false;
    QImage inverted = pattern(screen.size());
    inverted.invertPixels();
    session.setRootPicture(inverted);
    return true;
  }

  // The frozen image stays the pattern after the real screen changed.
  void expectFrozenPattern() {
    expectFrozenPattern([this] { return startCapture(); });
  }
  template <typename Start>
  void expectFrozenPattern(Start start) {
    ASSERT_TRUE(captureThenChangeTheScreen(start));
    // The pointer was left on the tray icon, below the checked rows: every pixel above the
    // taskbar is the picture as it was, the tray menu's place included.
    EXPECT_TRUE(showsThePattern());
  }

  // Every pixel above the taskbar is the pattern, within a few seconds.
  bool showsThePattern() {
    const QRect screen = session.screen();
    return waitUntil(
        [&] {
          const QImage shot = session.screenshot();
          for (int y = 0; y < kTaskbarTop; ++y) {
            for (int x = 0; x < screen.width(); ++x) {
              if (shot.pixel(x, y) != patternAt(x, y)) return false;
            }
          }
          return true;
        },
        seconds(10));
  }

  XSession session;
  KepaDriver kepa{session, KEPA_BINARY, session.directory() + "/kepa.log"};
};

}  // namespace kepa::xdriver::testing
