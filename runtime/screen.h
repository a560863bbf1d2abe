// The screen and the cursor, as the windows' code sees them: the screen object's size and
// twips, the monitors, the live screen's device context, the pointer and its shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device_context.h"
#include "core/geometry.h"
#include "core/monitors.h"
#include "core/surface.h"

namespace kepa {

// Screen.MousePointer values.
enum class MousePointer : int { Default = 0, Hourglass = 11 };

class Screen {
 public:
  Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  virtual ~Screen() = default;

  // The size of the whole desktop (the X screen, every monitor on it) in pixels, as the screen
  // itself gives it: never through twips, whose float round trip can lose the last column or
  // row (1920 x 8.5714283 at 175 % comes back as 1919.98). One pixel is always one device
  // pixel of the screen.
  [[nodiscard]] virtual Point screenPixels() const = 0;
  // The screen object's twips per pixel, 1440 / (96 x the desktop's scale): 15 at 100 %, 7.5
  // at 200 %.
  [[nodiscard]] virtual float twipsPerPixelX() const = 0;
  [[nodiscard]] virtual float twipsPerPixelY() const = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  // The monitors, as they are now, in pixels of the whole desktop.
  [[nodiscard]] virtual std::vector<Monitor> monitors() const = 0;

  // A surface for a window's persistent image of the screen's size, in memory that a grab of
  // the screen can write straight into where the platform has such memory.
  [[nodiscard]] virtual Surface createScreenImage(std::int32_t width, std::int32_t height) {
    return Surface(width, height);
  }
  // A screen image of width x height made ready ahead of a capture that may come (while the
  // tray menu is open, during the user's choice), so that createScreenImage then hands it over
  // at once; released unused by releasePreparedScreenImage.
  virtual void prepareScreenImage(std::int32_t /*width*/, std::int32_t /*height*/) {}
  virtual void releasePreparedScreenImage() {}
  // GetDC with no window: a read-only context on the live screen, valid until ReleaseDC. A
  // null context where the screen cannot be read now; screenProblem then says why.
  [[nodiscard]] virtual DeviceContext GetDC() = 0;
  // Why the last GetDC gave a null context, in Japanese for the user.
  [[nodiscard]] virtual std::string screenProblem() const { return {}; }
  virtual void ReleaseDC(DeviceContext& screen) = 0;
  [[nodiscard]] virtual Point GetCursorPos() = 0;
};

}  // namespace kepa
