#include "frontends/qt/device_pixels.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>

#include "core/display_scale.h"

namespace kepa {

namespace {

struct XDesktop {
  double dpi = 96.0;
  std::string primaryName;
  int primaryIndex = 0;
};

std::string atomName(xcb_connection_t* xcb, xcb_atom_t atom) {
  xcb_get_atom_name_reply_t* reply =
      xcb_get_atom_name_reply(xcb, xcb_get_atom_name(xcb, atom), nullptr);
  if (reply == nullptr) return {};
  std::string name(xcb_get_atom_name_name(reply),
                   static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
  std::free(reply);
  return name;
}

// What Qt will find on the X server: Xft.dpi, and the primary monitor's name and position
// in the list of monitors, which QT_SCREEN_SCALE_FACTORS refers to.
XDesktop readXDesktop() {
  XDesktop desktop;
  int screenNumber = 0;
  xcb_connection_t* xcb = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(xcb) != 0) {
    xcb_disconnect(xcb);
    return desktop;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(xcb));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
    xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;

  xcb_get_property_reply_t* resources = xcb_get_property_reply(
      xcb, xcb_get_property(xcb, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20),
      nullptr);
  if (resources != nullptr) {
    const std::string_view text(static_cast<const char*>(xcb_get_property_value(resources)),
                                static_cast<std::size_t>(xcb_get_property_value_length(resources)));
    desktop.dpi = xftDpi(text).value_or(desktop.dpi);
    std::free(resources);
  }

  const xcb_query_extension_reply_t* randr = xcb_get_extension_data(xcb, &xcb_randr_id);
  if (randr != nullptr && randr->present != 0) {
    xcb_randr_get_monitors_reply_t* monitors =
        xcb_randr_get_monitors_reply(xcb, xcb_randr_get_monitors(xcb, root, 1), nullptr);
    if (monitors != nullptr) {
      // Without a primary one, Qt takes the first monitor as primary.
      int index = 0;
      for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors); it.rem > 0;
           xcb_randr_monitor_info_next(&it), ++index) {
        if (index == 0 || it.data->primary != 0) {
          desktop.primaryName = atomName(xcb, it.data->name);
          desktop.primaryIndex = index;
        }
        if (it.data->primary != 0) break;
      }
      std::free(monitors);
    }
  }
  xcb_disconnect(xcb);
  return desktop;
}

}  // namespace

void useDevicePixels() {
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  const QByteArray global = qgetenv("QT_SCALE_FACTOR");
  const QByteArray perScreen = qgetenv("QT_SCREEN_SCALE_FACTORS");
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_SCREEN_SCALE_FACTORS");
  if (global.isEmpty() && perScreen.isEmpty()) return;
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return;

  XDesktop desktop = readXDesktop();
  if (const int forced = qEnvironmentVariableIntValue("QT_FONT_DPI"); forced > 0) {
    desktop.dpi = forced;
  }
  const double factor = environmentScale(global.toStdString(), perScreen.toStdString(),
                                         desktop.primaryName, desktop.primaryIndex);
  if (factor == 1.0) return;
  qputenv("QT_FONT_DPI", QByteArray::number(static_cast<int>(std::lround(desktop.dpi * factor))));
}

}  // namespace kepa
