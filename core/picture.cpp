#include "core/picture.h"

namespace kepa {

Picture::Picture(std::int32_t width, std::int32_t height, Colour backColor)
    : image_(width, height, backColor.pixel()), backColor_(backColor) {}

void Picture::setSize(std::int32_t width, std::int32_t height) {
  image_.resize(width, height, backColor_.pixel());
}

void Picture::setBackColor(Colour colour) {
  backColor_ = colour;
  Cls();
}

}  // namespace kepa
