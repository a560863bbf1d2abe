#include "frontends/qt/pointer_query.h"

#include <cstdlib>

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace kepa {

struct PointerQuery::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = 0;
  ~Connection() {
    if (xcb != nullptr) xcb_disconnect(xcb);
  }
};

PointerQuery::PointerQuery() {
  if (qGuiApp == nullptr ||
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>() == nullptr) {
    return;
  }
  auto connection = std::make_unique<Connection>();
  connection->xcb = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection->xcb) != 0) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection->xcb)).data;
  if (screen == nullptr) return;
  connection->root = screen->root;
  connection_ = std::move(connection);
}

PointerQuery::~PointerQuery() = default;

std::optional<Point> PointerQuery::position() {
  if (!connection_) return std::nullopt;
  xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(
      connection_->xcb, xcb_query_pointer(connection_->xcb, connection_->root), nullptr);
  if (reply == nullptr) return std::nullopt;
  const Point at{reply->root_x, reply->root_y};
  std::free(reply);
  return at;
}

}  // namespace kepa
