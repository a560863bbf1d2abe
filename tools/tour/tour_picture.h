// The picture the tour puts on its screen to capture: a desktop-like scene with a few
// windows, text and colour ramps, so that every effect shows on it.
#pragma once

#include <QImage>
#include <QSize>

namespace kepa::tour {

[[nodiscard]] QImage tourPicture(QSize size);

}  // namespace kepa::tour
