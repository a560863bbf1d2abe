// The live screen as a PixelSource: the whole X screen, every monitor on it, in device
// pixels. Full-width rows into a shared-memory surface come by MIT-SHM straight into it;
// everything else is read through QScreen (the plain X11 path).
#pragma once

#include <optional>

#include <QImage>

#include "core/geometry.h"
#include "core/pixel_source.h"
#include "frontends/qt/shm_screen_grabber.h"

class QRect;

namespace kepa {

// The size of the whole desktop in device pixels: the X screen's root window where there is
// one, else the area from (0, 0) that all of Qt's screens cover.
[[nodiscard]] Point desktopSize();

// The pixels of `area` of the whole desktop through Qt's plain X11 grab.
[[nodiscard]] QImage grabDesktopArea(const QRect& area);

class QtScreenSource final : public PixelSource {
 public:
  // The desktop of `size` (desktopSize()); `shm` may be nullptr (no MIT-SHM).
  QtScreenSource(Point size, ShmScreenGrabber* shm) : size_(size), shm_(shm) {}
  // A picture of the screen taken before (through the screenshot portal), for the desktop of
  // `size`: reads come from it. The picture is in the outputs' own pixels, at the largest
  // scale among them, and the X server's screen in logical pixels: one that is not of `size`
  // is scaled to it.
  QtScreenSource(QImage snapshot, Point size);

  [[nodiscard]] std::int32_t width() const override { return size_.x; }
  [[nodiscard]] std::int32_t height() const override { return size_.y; }
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override;

 private:
  Point size_;
  ShmScreenGrabber* shm_ = nullptr;
  std::optional<QImage> snapshot_;
};

}  // namespace kepa
