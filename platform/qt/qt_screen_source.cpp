#include "platform/qt/qt_screen_source.h"

#include <algorithm>
#include <cstring>

#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace kepa {

std::int32_t QtScreenSource::width() const {
  return static_cast<std::int32_t>(screen_->geometry().width() * screen_->devicePixelRatio());
}

std::int32_t QtScreenSource::height() const {
  return static_cast<std::int32_t>(screen_->geometry().height() * screen_->devicePixelRatio());
}

void QtScreenSource::copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx,
                            std::int32_t sy, std::int32_t w, std::int32_t h) {
  if (shm_ != nullptr && dx == 0 && sx == 0 && dy == sy && w == into.width() &&
      shm_->grabRows(into, sy, h)) {
    return;
  }
  const QImage grabbed =
      screen_->grabWindow(0, sx, sy, w, h).toImage().convertToFormat(QImage::Format_RGB32);
  const std::int32_t rows = std::min(h, static_cast<std::int32_t>(grabbed.height()));
  const auto columns =
      static_cast<std::size_t>(std::min(w, static_cast<std::int32_t>(grabbed.width())));
  for (std::int32_t r = 0; r < rows; ++r) {
    std::memcpy(into.row(dy + r) + dx, grabbed.constScanLine(r), columns * sizeof(std::uint32_t));
  }
}

}  // namespace kepa
