#include <algorithm>
#include <utility>

#include "frontends/fake/fake_desktop.h"

namespace kepa {

namespace {

// A screen Surface seen as the live screen.
class SurfaceScreen final : public PixelSource {
 public:
  explicit SurfaceScreen(const Surface& screen) : screen_(&screen) {}
  [[nodiscard]] std::int32_t width() const override { return screen_->width(); }
  [[nodiscard]] std::int32_t height() const override { return screen_->height(); }
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override {
    for (std::int32_t r = 0; r < h; ++r) {
      std::copy_n(screen_->row(sy + r) + sx, w, into.row(dy + r) + dx);
    }
  }

 private:
  const Surface* screen_;
};

}  // namespace

std::vector<Monitor> FakeDesktop::monitors() const {
  if (!monitorLayout.empty()) return monitorLayout;
  return {{{0, 0, screen.width(), screen.height()}, true}};
}

void FakeDesktop::setMousePointer(MousePointer pointer) {
  mousePointer = pointer;
  calls.push_back("MousePointer " + std::to_string(static_cast<int>(pointer)));
}

DeviceContext FakeDesktop::GetDC() {
  calls.emplace_back("GetDC");
  if (whileReading) std::exchange(whileReading, nullptr)();
  if (!screenUnreadable.empty()) return {};
  screenSource_ = std::make_unique<SurfaceScreen>(screen);
  return DeviceContext(*screenSource_);
}

void FakeDesktop::ReleaseDC(DeviceContext& screenDc) {
  calls.emplace_back("ReleaseDC");
  screenDc = DeviceContext();
  screenSource_.reset();
}

}  // namespace kepa
