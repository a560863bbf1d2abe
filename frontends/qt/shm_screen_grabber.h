// Grabbing the X11 screen with MIT-SHM: the server writes the pixels straight into a
// shared-memory segment, which is the memory of the Surface that holds the capture. Measured
// under Xvfb, this is several times faster than QScreen::grabWindow.
#pragma once

#include <cstdint>
#include <memory>

#include "core/geometry.h"
#include "core/surface.h"

namespace kepa {

class ShmScreenGrabber {
 public:
  // The grabber of the application's X connection, or nullptr where there is none (another
  // platform) or the server has no MIT-SHM.
  [[nodiscard]] static std::unique_ptr<ShmScreenGrabber> forApplication();

  ShmScreenGrabber(const ShmScreenGrabber&) = delete;
  ShmScreenGrabber& operator=(const ShmScreenGrabber&) = delete;
  ~ShmScreenGrabber();

  // A width x height surface in a segment the server can write into; a plain surface when
  // no segment can be had.
  [[nodiscard]] Surface createSurface(std::int32_t width, std::int32_t height);

  // Grabs the full-width rows [top, top + rows) of the screen into the same rows of `into`,
  // when `into` lives in one of this grabber's segments and is as wide as the screen. False
  // when it cannot (the caller then grabs the plain way).
  bool grabRows(Surface& into, std::int32_t top, std::int32_t rows);

  // The X connection, shared with the segments attached to it.
  struct Connection;

 private:
  explicit ShmScreenGrabber(std::shared_ptr<Connection> connection);

  std::shared_ptr<Connection> connection_;
};

// Whether `surface` lives in a segment attached to the application's X connection.
[[nodiscard]] bool isSharedSurface(const Surface& surface);

// Puts `area` of `surface` onto the X window `window` at the same place, with the graphics
// context `gc` of a window of `depth`, straight from the shared-memory segment the surface
// lives in: the server reads the pixels where they are, nothing is copied here. False when
// the surface lives in no segment.
bool putShared(const Surface& surface, const Rect& area, std::uint32_t window, std::uint32_t gc,
               std::uint8_t depth);

}  // namespace kepa
