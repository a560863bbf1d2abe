// A control's font as designed: the Gothic family ("ＭＳ Ｐゴシック") at a size in points, bold
// or not; a size of 0 means the system's own dialog font.
#pragma once

namespace kepa {

struct DesignFont {
  double points = 0;
  bool bold = false;

  [[nodiscard]] constexpr bool systemFont() const { return points == 0; }
};

}  // namespace kepa
