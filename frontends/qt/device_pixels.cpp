#include "frontends/qt/device_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>

#include "core/display_scale.h"

namespace kepa {

namespace {

// One line on standard error for a setting that is ignored.
void warnIgnored(std::string_view name, std::string_view text) {
  std::fprintf(stderr, "kepa: %.*s \"%.*s\" is ignored: not a sane scale\n",
               static_cast<int>(name.size()), name.data(), static_cast<int>(text.size()),
               text.data());
}

struct XDesktop {
  double dpi = 96.0;
  bool dpiIgnored = false;  // Xft.dpi says nonsense, which Qt must not take either
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
    desktop.dpi = xftDpi(text, [&](std::string_view name, std::string_view value) {
                    warnIgnored(name, value);
                    desktop.dpiIgnored = true;
                  }).value_or(desktop.dpi);
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
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return;

  XDesktop desktop = readXDesktop();
  // The DPI is set for Qt where the desktop's own is ignored, so that Qt ignores it too.
  bool setDpi = desktop.dpiIgnored;
  if (const QByteArray forced = qgetenv("QT_FONT_DPI"); !forced.isEmpty()) {
    bool number = false;
    const int dpi = forced.toInt(&number);
    if (number && dpi >= kMinDotsPerInch && dpi <= kMaxDotsPerInch) {
      desktop.dpi = dpi;
    } else {
      warnIgnored("QT_FONT_DPI", forced.toStdString());
      setDpi = true;
    }
  }
  double factor = 1.0;
  if (!global.isEmpty() || !perScreen.isEmpty()) {
    factor = environmentScale(global.toStdString(), perScreen.toStdString(), desktop.primaryName,
                              desktop.primaryIndex, warnIgnored);
  }
  if (factor == 1.0 && !setDpi) return;
  const double dpi = std::clamp(desktop.dpi * factor, kMinDotsPerInch, kMaxDotsPerInch);
  qputenv("QT_FONT_DPI", QByteArray::number(static_cast<int>(std::lround(dpi))));
}

}  // namespace kepa
