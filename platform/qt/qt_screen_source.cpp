#include "platform/qt/qt_screen_source.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

namespace kepa {

namespace {

// The screen whose grab of the root window starts at the desktop's origin.
QScreen& originScreen() {
  QScreen* atOrigin = QGuiApplication::screenAt(QPoint(0, 0));
  return atOrigin != nullptr ? *atOrigin : *QGuiApplication::primaryScreen();
}

}  // namespace

Point desktopSize() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 != nullptr && x11->connection() != nullptr) {
    xcb_connection_t* xcb = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data;
    // Asked each time: the root grows and shrinks with the monitors (RandR), which the
    // connection's set-up data does not follow.
    xcb_get_geometry_reply_t* root =
        xcb_get_geometry_reply(xcb, xcb_get_geometry(xcb, screen->root), nullptr);
    if (root != nullptr) {
      const Point size{root->width, root->height};
      std::free(root);
      return size;
    }
  }
  const QRect all = QGuiApplication::primaryScreen()->virtualGeometry();
  return {all.right() + 1, all.bottom() + 1};
}

QImage grabDesktopArea(const QRect& area) {
  QScreen& screen = originScreen();
  const QPoint origin = screen.geometry().topLeft();
  return screen
      .grabWindow(0, area.x() - origin.x(), area.y() - origin.y(), area.width(), area.height())
      .toImage();
}

void QtScreenSource::copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx,
                            std::int32_t sy, std::int32_t w, std::int32_t h) {
  if (shm_ != nullptr && dx == 0 && sx == 0 && dy == sy && w == into.width() &&
      shm_->grabRows(into, sy, h)) {
    return;
  }
  const QImage grabbed = grabDesktopArea(QRect(sx, sy, w, h)).convertToFormat(QImage::Format_RGB32);
  const std::int32_t rows = std::min(h, static_cast<std::int32_t>(grabbed.height()));
  const auto columns =
      static_cast<std::size_t>(std::min(w, static_cast<std::int32_t>(grabbed.width())));
  for (std::int32_t r = 0; r < rows; ++r) {
    std::memcpy(into.row(dy + r) + dx, grabbed.constScanLine(r), columns * sizeof(std::uint32_t));
  }
}

}  // namespace kepa
