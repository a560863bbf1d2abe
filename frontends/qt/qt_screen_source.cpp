#include "frontends/qt/qt_screen_source.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

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

// Copies w x h pixels from (sx, sy) of `from`, an RGB32 image that starts at (ox, oy) of the
// desktop, to (dx, dy) of `into`; what lies outside the image is left as it is.
void copyRows(const QImage& from, Point origin, Surface& into, std::int32_t dx, std::int32_t dy,
              std::int32_t sx, std::int32_t sy, std::int32_t w, std::int32_t h) {
  const std::int32_t left = std::max(sx - origin.x, 0);
  const std::int32_t top = std::max(sy - origin.y, 0);
  const std::int32_t skipX = left - (sx - origin.x);
  const std::int32_t skipY = top - (sy - origin.y);
  const std::int32_t rows = std::min(h - skipY, static_cast<std::int32_t>(from.height()) - top);
  const std::int32_t columns = std::min(w - skipX, static_cast<std::int32_t>(from.width()) - left);
  if (rows <= 0 || columns <= 0) return;
  for (std::int32_t r = 0; r < rows; ++r) {
    std::memcpy(into.row(dy + skipY + r) + dx + skipX,
                reinterpret_cast<const std::uint32_t*>(from.constScanLine(top + r)) + left,
                static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
  }
}

}  // namespace

QtScreenSource::QtScreenSource(QImage snapshot, Point size)
    : size_(size), snapshot_(std::move(snapshot)) {
  if (snapshot_->size() != QSize(size.x, size.y)) {
    snapshot_ = snapshot_->scaled(size.x, size.y, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
  }
}

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
  if (snapshot_) {
    copyRows(*snapshot_, {0, 0}, into, dx, dy, sx, sy, w, h);
    return;
  }
  if (shm_ != nullptr && dx == 0 && sx == 0 && dy == sy && w == into.width() &&
      shm_->grabRows(into, sy, h)) {
    return;
  }
  const QImage grabbed = grabDesktopArea(QRect(sx, sy, w, h)).convertToFormat(QImage::Format_RGB32);
  copyRows(grabbed, {sx, sy}, into, dx, dy, sx, sy, w, h);
}

}  // namespace kepa
