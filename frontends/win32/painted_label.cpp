#include "frontends/win32/painted_label.h"

namespace kepa {

void PaintedLabel::setCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (window_ != nullptr) InvalidateRect(window_, &box_, FALSE);
}

}  // namespace kepa
