#include "magnifier/form3_face.h"

#include <algorithm>
#include <cstring>

#include "core/design_pixels.h"
#include "core/numeric.h"

namespace kepa {

Form3Face::Form3Face(float twipsPerPixelX, float twipsPerPixelY)
    : client_(designToPixels(kDesignWidth, twipsPerPixelX),
              designToPixels(kDesignHeight, twipsPerPixelY), Colour(Colour::kButtonFace)),
      shown_(client_.width(), client_.height(), client_.backColor().pixel()) {
  // It lies below the client area, where it is never seen.
  Picture1.move({64, 296});
}

bool Form3Face::showsAlready(const Surface& square, std::int32_t width, std::int32_t height) {
  const Point size{width, height};
  bool same = size == enlargedSize_ && square.width() == enlarged_.width() &&
              square.height() == enlarged_.height();
  for (std::int32_t y = 0; same && y < square.height(); ++y) {
    same = std::memcmp(square.row(y), enlarged_.row(y),
                       static_cast<std::size_t>(square.width()) * sizeof(std::uint32_t)) == 0;
  }
  if (same) return true;
  enlarged_ = Surface(square.width(), square.height());
  for (std::int32_t y = 0; y < square.height(); ++y)
    std::copy_n(square.row(y), square.width(), enlarged_.row(y));
  enlargedSize_ = size;
  return false;
}

void Form3Face::repaintChanged() {
  const Surface& image = client_.image();
  const auto rowBytes = static_cast<std::size_t>(image.width()) * sizeof(std::uint32_t);
  std::int32_t first = -1;
  std::int32_t last = -1;
  for (std::int32_t y = 0; y < image.height(); ++y) {
    if (std::memcmp(image.row(y), shown_.row(y), rowBytes) == 0) continue;
    std::memcpy(shown_.row(y), image.row(y), rowBytes);
    if (first < 0) first = y;
    last = y;
  }
  if (first >= 0) repaintClient({0, first, image.width(), last - first + 1});
}

}  // namespace kepa
