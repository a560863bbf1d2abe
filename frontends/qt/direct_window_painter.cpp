#include "frontends/qt/direct_window_painter.h"

#include <algorithm>
#include <cstdlib>

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include "frontends/qt/shm_screen_grabber.h"

namespace kepa {

namespace {

xcb_connection_t* connection() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

bool DirectWindowPainter::available(const Surface& image) {
  return connection() != nullptr && isSharedSurface(image);
}

DirectWindowPainter::~DirectWindowPainter() {
  xcb_connection_t* xcb = connection();
  if (gc_ != 0 && xcb != nullptr) xcb_free_gc(xcb, gc_);
}

bool DirectWindowPainter::prepare() {
  xcb_connection_t* xcb = connection();
  if (xcb == nullptr) return false;
  const auto window = static_cast<xcb_window_t>(window_.winId());
  if (gc_ != 0 && drawable_ == window) return true;
  if (gc_ != 0) xcb_free_gc(xcb, gc_);
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(xcb, xcb_get_geometry(xcb, window), nullptr);
  if (geometry == nullptr) return false;
  depth_ = geometry->depth;
  std::free(geometry);
  drawable_ = window;
  gc_ = xcb_generate_id(xcb);
  const std::uint32_t noExposures = 0;
  xcb_create_gc(xcb, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  return true;
}

bool DirectWindowPainter::putShared(const Surface& image, const QRect& area) {
  return prepare() && kepa::putShared(image, {area.x(), area.y(), area.width(), area.height()},
                                      drawable_, gc_, depth_);
}

void DirectWindowPainter::put(const QImage& pixels, QPoint at) {
  if (!prepare() || pixels.isNull()) return;
  xcb_connection_t* xcb = connection();
  // In bands of rows that fit one request: a shown region image may be as large as the screen.
  const std::size_t maxBytes = std::size_t{xcb_get_maximum_request_length(xcb)} * 4 - 64;
  const auto lineBytes = static_cast<std::size_t>(pixels.bytesPerLine());
  const int bandRows = std::max(1, static_cast<int>(maxBytes / lineBytes));
  for (int top = 0; top < pixels.height(); top += bandRows) {
    const int rows = std::min(bandRows, pixels.height() - top);
    xcb_put_image(xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable_, gc_,
                  static_cast<std::uint16_t>(pixels.width()), static_cast<std::uint16_t>(rows),
                  static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y() + top), 0,
                  depth_, static_cast<std::uint32_t>(lineBytes * static_cast<std::size_t>(rows)),
                  pixels.constScanLine(top));
  }
}

void DirectWindowPainter::flush() {
  if (xcb_connection_t* xcb = connection()) xcb_flush(xcb);
}

}  // namespace kepa
