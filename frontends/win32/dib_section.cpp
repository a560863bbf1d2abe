#include "frontends/win32/dib_section.h"

#include <stdexcept>

namespace kepa {

BITMAPINFO topDownInfo(std::int32_t width, std::int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

DibSection::DibSection(std::int32_t width, std::int32_t height) {
  const BITMAPINFO info = topDownInfo(width, height);
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    throw std::runtime_error("no memory for a bitmap of the screen's size");
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint32_t*>(bits);
}

DibSection::~DibSection() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

DibSection* DibSection::of(const Surface& surface) {
  return dynamic_cast<DibSection*>(surface.memory());
}

Surface dibSurface(std::int32_t width, std::int32_t height) {
  // A section needs at least one pixel; an empty surface has no use for one.
  if (width <= 0 || height <= 0) return Surface(width < 0 ? 0 : width, height < 0 ? 0 : height);
  return Surface(width, height, std::make_unique<DibSection>(width, height));
}

}  // namespace kepa
