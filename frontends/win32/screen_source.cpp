#include "frontends/win32/screen_source.h"

#include <algorithm>

#include "frontends/win32/dib_section.h"

namespace kepa {

Rect virtualScreen() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void ScreenSource::copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx,
                          std::int32_t sy, std::int32_t w, std::int32_t h) {
  DibSection* target = DibSection::of(into);
  Surface band;
  if (target == nullptr) {
    band = dibSurface(w, h);
    target = DibSection::of(band);
  }
  const std::int32_t tx = target == DibSection::of(into) ? dx : 0;
  const std::int32_t ty = target == DibSection::of(into) ? dy : 0;
  HDC screen = ::GetDC(nullptr);
  ::BitBlt(target->dc(), tx, ty, w, h, screen, area_.x + sx, area_.y + sy,
           win::kSrcCopy | CAPTUREBLT);
  ::ReleaseDC(nullptr, screen);
  GdiFlush();
  // GDI leaves the top byte of each word at 0; the surfaces' words carry 0xFF there.
  Surface& grabbed = band.empty() ? into : band;
  for (std::int32_t r = 0; r < h; ++r) {
    std::uint32_t* row = grabbed.row(ty + r) + tx;
    for (std::int32_t c = 0; c < w; ++c)
      row[c] |= 0xFF000000U;
    if (!band.empty()) std::copy_n(row, w, into.row(dy + r) + dx);
  }
}

}  // namespace kepa
