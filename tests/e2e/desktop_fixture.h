// The fixture of the end-to-end tests that capture: the real program on a private X session
// with a known, asymmetric picture on the screen.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
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

// The pixels of an image file as ImageMagick reads them: width, height and RGB bytes.
struct Decoded {
  int width = 0;
  int height = 0;
  std::string rgb;
  [[nodiscard]] QRgb at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return qRgb(static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
                static_cast<unsigned char>(rgb[i + 2]));
  }
};

inline Decoded readWithImageMagick(const std::string& file, const std::string& scratch) {
  Decoded decoded;
  const std::string size = scratch + ".size";
  if (std::system(("identify -format '%w %h' '" + file + "' > '" + size + "'").c_str()) != 0 ||
      std::system(("convert '" + file + "' -depth 8 rgb:'" + scratch + "'").c_str()) != 0) {
    return decoded;
  }
  std::sscanf(readFile(size).c_str(), "%d %d", &decoded.width, &decoded.height);
  decoded.rgb = readFile(scratch);
  return decoded;
}

// How many pixels of `image` differ from `expected(x, y)`.
inline int wrongPixels(const Decoded& image, const std::function<QRgb(int, int)>& expected) {
  int wrong = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x)
      wrong += image.at(x, y) != expected(x, y);
  }
  return wrong;
}

// The image on the session's clipboard as `type`, read by xclip into `scratch`.
inline Decoded readClipboard(const XSession& session, const std::string& scratch,
                             const std::string& type = "image/png") {
  if (!session.run("xclip -selection clipboard -t " + type + " -o > '" + scratch + "'")) return {};
  return readWithImageMagick(scratch, scratch + ".rgb");
}

// icewm's taskbar (with its clock) covers the bottom rows; the picture is checked above it.
constexpr int kTaskbarTop = 740;

class CaptureOnDesktop : public ::testing::Test {
 protected:
  explicit CaptureOnDesktop(const std::vector<std::string>& serverOptions = {},
                            QSize size = {1024, 768},
                            XSession::SessionBus bus = XSession::SessionBus::Private)
      : session(XSession::Desktop::WithWindowManager, size.width(), size.height(), serverOptions,
                bus) {}

  void TearDown() override {
    if (HasFailure()) {
      std::printf("kepa's output:\n%s\nscreenshot: %s\n", kepa.log().c_str(),
                  session.saveScreenshot("failure").c_str());
    }
  }

  // Chooses スタ－トキャプチャ－ (the first item) and waits for the frozen screen.
  bool startCapture() { return kepa.startCapture(); }

  // A left-button drag with the real mouse at a human pace, through the middle of the way.
  void select(QPoint from, QPoint to) {
    session.xdotool("mousemove " + at(from) + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                    at((from + to) / 2) + " sleep 0.1 mousemove " + at(to) +
                    " sleep 0.2 mouseup 1 sleep 0.2");
  }
  static std::string at(QPoint p) { return std::to_string(p.x()) + " " + std::to_string(p.y()); }

  // The program's window called `name`, once it is shown.
  std::optional<XWindow> shown(const std::string& name) {
    std::optional<XWindow> window;
    waitUntil([&] { return (window = kepa.windowNamed(name)).has_value(); }, seconds(10));
    return window;
  }
  bool gone(const std::string& name) {
    return waitUntil([&] { return !kepa.windowNamed(name).has_value(); }, seconds(10));
  }

  // The image on the clipboard, once there is one.
  Decoded clipboardImage(const std::string& name) {
    Decoded image;
    waitUntil(
        [&] {
          image = readClipboard(session, session.directory() + "/" + name + ".png");
          return image.width > 0;
        },
        seconds(10));
    return image;
  }

  // Captures the pattern (from the tray, or with `start`), then inverts the real screen, which
  // what the program shows must not follow; false when the capture did not start.
  bool captureThenChangeTheScreen(const std::function<bool()>& start = nullptr) {
    const QRect screen = session.screen();
    session.setRootPicture(pattern(screen.size()));
    if (!(start ? start() : startCapture())) return false;
    QImage inverted = pattern(screen.size());
    inverted.invertPixels();
    session.setRootPicture(inverted);
    return true;
  }

  // Pixels the desktop's own panels cover, besides the taskbar along the bottom.
  using Panels = std::function<bool(int x, int y)>;

  // The frozen image stays the pattern after the real screen changed (captured from the tray,
  // or with `start`).
  void expectFrozenPattern(const std::function<bool()>& start = nullptr,
                           const Panels& panels = nullptr) {
    ASSERT_TRUE(captureThenChangeTheScreen(start));
    // The pointer was left on the tray icon, below the checked rows: every pixel above the
    // taskbar is the picture as it was, the tray menu's place included.
    EXPECT_TRUE(showsThePattern(panels))
        << "first wrong pixel at " << wrong_.x() << "," << wrong_.y();
  }

  // Every pixel above the taskbar (and outside `panels` and the cross-hair at the pointer)
  // is the pattern, within a few seconds.
  bool showsThePattern(const Panels& panels = nullptr) {
    const QRect screen = session.screen();
    return waitUntil(
        [&] {
          const QImage shot = session.screenshot();
          const QRect crossHair(session.pointer() - QPoint(14, 14), QSize(32, 32));
          for (int y = 0; y < kTaskbarTop; ++y) {
            for (int x = 0; x < screen.width(); ++x) {
              wrong_ = {x, y};
              if (shot.pixel(x, y) != patternAt(x, y) && !(panels && panels(x, y)) &&
                  !crossHair.contains(x, y))
                return false;
            }
          }
          return true;
        },
        seconds(10));
  }

  QPoint wrong_;  // where the last look for the pattern found something else
  XSession session;
  KepaDriver kepa{session, KEPA_BINARY, session.directory() + "/kepa.log"};
};

}  // namespace kepa::xdriver::testing
