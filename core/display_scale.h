// The desktop's scale as X11 desktops and Qt's environment state it: the Xft.dpi resource
// that GNOME, KDE and Xfce set (192 at 200 %), and the factors QT_SCALE_FACTOR and
// QT_SCREEN_SCALE_FACTORS that ask Qt to scale on top of it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace kepa {

// Screen.TwipsPerPixelX/Y of a desktop at `dotsPerInch` logical dots per inch, which is 96 x
// its scale: 1440 / DPI, so 15 at 100 %, 12 at 125 %, 10 at 150 % and 7.5 at 200 %.
[[nodiscard]] float twipsPerPixel(double dotsPerInch);

// The settings taken as they are: a desktop from 24 to 960 dots per inch (25 % to 1000 %), a
// factor of Qt's from 0.1 to 10. Anything else (not a number, infinite, out of range) is
// ignored, and `ignored` hears of it with the setting's name and text.
inline constexpr double kMinDotsPerInch = 24;
inline constexpr double kMaxDotsPerInch = 960;
inline constexpr double kMinScaleFactor = 0.1;
inline constexpr double kMaxScaleFactor = 10;
using IgnoredSetting = std::function<void(std::string_view name, std::string_view text)>;

// The Xft.dpi value of an X resource database (the root window's RESOURCE_MANAGER text), or
// nothing where it is missing or ignored.
[[nodiscard]] std::optional<double> xftDpi(std::string_view resources,
                                           const IgnoredSetting& ignored = {});

// The factor that the environment asks for on the screen called `screenName`, at position
// `screenIndex` among the screens: QT_SCALE_FACTOR (`global`) times this screen's entry of
// QT_SCREEN_SCALE_FACTORS (`perScreen`: "name=factor;..." or "factor;..." by position).
// Missing or ignored factors count as 1; so does a product outside the range of one factor.
[[nodiscard]] double environmentScale(std::string_view global, std::string_view perScreen,
                                      std::string_view screenName, int screenIndex,
                                      const IgnoredSetting& ignored = {});

}  // namespace kepa
