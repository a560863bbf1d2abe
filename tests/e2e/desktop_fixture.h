// The end-to-end tests' fixture: the real program on a private X session, a known picture on it.
#pragma once

#include <chrono>
#include <cstdio>
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

// An image file as Qt reads it, in 32-bit RGB; a null image if it cannot be read.
inline QImage readImage(const std::string& file) {
  return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
}

// How many pixels of `image` differ from `expected(x, y)`.
inline int wrongPixels(const QImage& image, const std::function<QRgb(int, int)>& expected) {
  int wrong = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      wrong += image.pixel(x, y) != expected(x, y);
  }
  return wrong;
}

// icewm's taskbar (with its clock) covers the bottom rows; the picture is checked above it.
constexpr int kTaskbarTop = 740;

class CaptureOnDesktop : public ::testing::Test {
 protected:
  explicit CaptureOnDesktop(const std::vector<std::string>& serverOptions = {},
                            QSize size = {1024, 768},
                            XSession::SessionBus bus = XSession::SessionBus::Private,
                            XSession::Desktop desktop = XSession::Desktop::WithWindowManager,
                            std::vector<std::string> command = {KEPA_BINARY})
      : session(desktop, size.width(), size.height(), serverOptions, bus),
        kepa(session, std::move(command), session.directory() + "/kepa.log") {}

  void TearDown() override {
    if (HasFailure()) {
      std::printf("kepa's output:\n%s\nscreenshot: %s\n", kepa.log().c_str(),
                  session.saveScreenshot("failure").c_str());
    }
  }

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

  // The image on the clipboard, read as PNG by xclip, once there is one.
  QImage clipboardImage(const std::string& name) {
    const std::string file = session.directory() + "/" + name + ".png";
    QImage image;
    waitUntil(
        [&] {
          return session.run("xclip -selection clipboard -t image/png -o > '" + file + "'") &&
                 !(image = readImage(file)).isNull();
        },
        seconds(10));
    return image;
  }

  // Captures the pattern (from the tray, or with `start`), then inverts the real screen, which
  // what the program shows must not follow; false when the capture did not start.
  bool captureThenChangeTheScreen(const std::function<bool()>& start = nullptr) {
    const QRect screen = session.screen();
    session.setRootPicture(pattern(screen.size()));
    if (!(start ? start() : kepa.startCapture())) return false;
    QImage inverted = pattern(screen.size());
    inverted.invertPixels();
    session.setRootPicture(inverted);
    return true;
  }

  // Pixels the desktop's own panels cover, besides the taskbar along the bottom.
  using Panels = std::function<bool(int x, int y)>;

  // The frozen image stays the pattern after the real screen changed (captured from the tray,
  // or with `start`): within a few seconds, every pixel above the taskbar (and outside `panels`
  // and the cross-hair at the pointer) is the picture as it was, the tray menu's place included.
  void expectFrozenPattern(const std::function<bool()>& start = nullptr,
                           const Panels& panels = nullptr) {
    ASSERT_TRUE(captureThenChangeTheScreen(start));
    const bool shown = waitUntil(
        [&] {
          const QImage shot = session.screenshot();
          const QRect crossHair(session.pointer() - QPoint(14, 14), QSize(32, 32));
          for (int y = 0; y < kTaskbarTop; ++y) {
            for (int x = 0; x < shot.width(); ++x) {
              wrong_ = {x, y};
              if (shot.pixel(x, y) != patternAt(x, y) && !(panels && panels(x, y)) &&
                  !crossHair.contains(x, y))
                return false;
            }
          }
          return true;
        },
        seconds(10));
    EXPECT_TRUE(shown) << "first wrong pixel at " << wrong_.x() << "," << wrong_.y();
  }

  QPoint wrong_;  // where the last look for the pattern found something else
  XSession session;
  KepaDriver kepa;
};

}  // namespace kepa::xdriver::testing
