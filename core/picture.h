// The model of a picture box: a persistent image with its device context, a background
// colour, a size, a position in its window and a visibility. It has no widget: the window
// that holds it paints it.
#pragma once

#include <cstdint>

#include "core/colour.h"
#include "core/device_context.h"
#include "core/geometry.h"
#include "core/surface.h"

namespace kepa {

class Picture {
 public:
  // The image starts filled with the background colour.
  Picture(std::int32_t width, std::int32_t height,
          Colour backColor = Colour(Colour::kWindowBackground));
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture() = default;

  [[nodiscard]] std::int32_t width() const { return image_.width(); }
  [[nodiscard]] std::int32_t height() const { return image_.height(); }
  // Resizing keeps what lies inside the new size and fills a grown area with the background
  // colour. Throws std::invalid_argument on a negative size.
  void setWidth(std::int32_t width) { setSize(width, height()); }
  void setHeight(std::int32_t height) { setSize(width(), height); }
  void setSize(std::int32_t width, std::int32_t height);

  [[nodiscard]] Point position() const { return position_; }
  void move(Point topLeft) { position_ = topLeft; }

  [[nodiscard]] bool visible() const { return visible_; }
  void setVisible(bool visible) { visible_ = visible; }

  [[nodiscard]] Colour backColor() const { return backColor_; }
  // Assigning the background colour fills the whole image with it.
  void setBackColor(Colour colour);
  // The same assignment for a caller about to overwrite every pixel of the image, which makes
  // the fill invisible.
  void setBackColorWithoutFill(Colour colour) { backColor_ = colour; }
  [[nodiscard]] Colour foreColor() const { return foreColor_; }
  void setForeColor(Colour colour) { foreColor_ = colour; }

  // Fills the whole image with the background colour.
  void Cls() { image_.fill(backColor_.pixel()); }

  [[nodiscard]] Surface& image() { return image_; }
  [[nodiscard]] const Surface& image() const { return image_; }
  [[nodiscard]] DeviceContext& hDC() { return dc_; }

 private:
  Surface image_;
  DeviceContext dc_{image_};
  Colour backColor_;
  Colour foreColor_{Colour::kWindowText};
  Point position_;
  bool visible_ = true;
};

}  // namespace kepa
