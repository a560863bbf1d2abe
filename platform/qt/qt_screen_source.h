// The live screen as a PixelSource, read through QScreen.
#pragma once

#include "platform/pixel_source.h"

class QScreen;

namespace kepa {

class QtScreenSource final : public PixelSource {
 public:
  explicit QtScreenSource(QScreen& screen) : screen_(&screen) {}

  [[nodiscard]] std::int32_t width() const override;
  [[nodiscard]] std::int32_t height() const override;
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override;

 private:
  QScreen* screen_;
};

}  // namespace kepa
