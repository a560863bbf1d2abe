// Drawing a widget's pixels straight onto its X window, without Qt's backing store.
//
// The clipping window shows a capture of the whole screen, 33 MB at 3840 x 2160, that already
// lies in a shared-memory segment the X server can read. Painted the usual way, Qt would copy
// it into a backing store of the same size and send that to the server again, on every expose
// and behind every partial repaint. Here the server reads the capture where it is, and only
// what is drawn over it (a frame, a picture, a cursor) is composed and sent, rectangle by
// rectangle. The widget sets Qt::WA_PaintOnScreen and has no paint engine of its own.
#pragma once

#include <cstdint>

#include <QRect>

#include "core/surface.h"

class QImage;
class QWidget;

namespace kepa {

class DirectWindowPainter {
 public:
  // Whether `image` can be put on windows this way: Qt runs on X11 and `image` lives in a
  // shared-memory segment of Qt's connection.
  [[nodiscard]] static bool available(const Surface& image);

  explicit DirectWindowPainter(QWidget& window) : window_(window) {}
  DirectWindowPainter(const DirectWindowPainter&) = delete;
  DirectWindowPainter& operator=(const DirectWindowPainter&) = delete;
  ~DirectWindowPainter();

  // `area` of `image` onto the same place of the window, read from its segment by the server;
  // false when `image` lives in no segment.
  bool putShared(const Surface& image, const QRect& area);
  // `pixels` (RGB32) onto the window at `at`.
  void put(const QImage& pixels, QPoint at);
  // Sends what was drawn to the server.
  void flush();

 private:
  bool prepare();

  QWidget& window_;
  std::uint32_t drawable_ = 0;
  std::uint32_t gc_ = 0;
  std::uint8_t depth_ = 0;
};

}  // namespace kepa
