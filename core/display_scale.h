// The desktop's scale as X11 desktops and Qt's environment state it: the Xft.dpi resource
// that GNOME, KDE and Xfce set (192 at 200 %), and the factors QT_SCALE_FACTOR and
// QT_SCREEN_SCALE_FACTORS that ask Qt to scale on top of it.
#pragma once

#include <optional>
#include <string_view>

namespace kepa {

// Screen.TwipsPerPixelX/Y of a desktop at `dotsPerInch` logical dots per inch, which is 96 x
// its scale: 1440 / DPI, so 15 at 100 %, 12 at 125 %, 10 at 150 % and 7.5 at 200 %.
[[nodiscard]] float twipsPerPixel(double dotsPerInch);

// The Xft.dpi value of an X resource database (the root window's RESOURCE_MANAGER text), or
// nothing where it is missing or not a positive number.
[[nodiscard]] std::optional<double> xftDpi(std::string_view resources);

// The factor that the environment asks for on the screen called `screenName`, at position
// `screenIndex` among the screens: QT_SCALE_FACTOR (`global`) times this screen's entry of
// QT_SCREEN_SCALE_FACTORS (`perScreen`: "name=factor;..." or "factor;..." by position).
// Missing or unreadable factors count as 1.
[[nodiscard]] double environmentScale(std::string_view global, std::string_view perScreen,
                                      std::string_view screenName, int screenIndex);

}  // namespace kepa
