// A label drawn by its window: a caption in a box, in a font, repainted when it changes.
#pragma once

#include <string>

#include "frontends/win32/windows_api.h"
#include "runtime/controls.h"

namespace kepa {

class PaintedLabel final : public Label {
 public:
  PaintedLabel(HWND& window, std::string caption, RECT box)
      : window_(window), caption_(std::move(caption)), box_(box) {}

  void setCaption(const std::string& caption) override;
  [[nodiscard]] std::string caption() const override { return caption_; }
  [[nodiscard]] const RECT& box() const { return box_; }
  [[nodiscard]] bool contains(POINT at) const { return PtInRect(&box_, at) != FALSE; }

 private:
  HWND& window_;
  std::string caption_;
  RECT box_;
};

}  // namespace kepa
