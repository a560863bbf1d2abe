// The live screen as a PixelSource: full-width rows into a shared-memory surface come by
// MIT-SHM straight into it; everything else is read through QScreen (the plain X11 path).
#pragma once

#include "platform/pixel_source.h"
#include "platform/qt/shm_screen_grabber.h"

class QScreen;

namespace kepa {

class QtScreenSource final : public PixelSource {
 public:
  // `shm` may be nullptr (no MIT-SHM).
  explicit QtScreenSource(QScreen& screen, ShmScreenGrabber* shm = nullptr)
      : screen_(&screen), shm_(shm) {}

  [[nodiscard]] std::int32_t width() const override;
  [[nodiscard]] std::int32_t height() const override;
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override;

 private:
  QScreen* screen_;
  ShmScreenGrabber* shm_;
};

}  // namespace kepa
