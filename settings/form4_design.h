// The design of the custom settings dialog: every control with its caption, its
// rectangle in design pixels on the client area, and its font. The option buttons and their
// digits sit in the frame of the algorithms; their rectangles are on the client area all the same.
#pragma once

#include <array>

#include "core/design_pixels.h"
#include "runtime/design_font.h"

namespace kepa {

inline constexpr const char* kForm4Caption = "カスタム設定";
inline constexpr DesignRect kForm4Client{0, 0, 320, 288};

enum class Form4Control {
  ColourName,   // the names of red, green and blue
  Swatch,       // RPicture1, GPicture1, BPicture1
  Value,        // RLabel, GLabel, BLabel
  ScrollBar,    // RScroll1, GScroll1, BScroll1
  Frame,        // Frame1, around the options
  Option,       // Option1 .. Option6, only as wide as their circles
  OptionDigit,  // "１" .. "６" beside them
  Ok,           // Command1
  Cancel,       // Command2
};

struct Form4ControlDesign {
  Form4Control control;
  int index;  // of the colour (0 red, 1 green, 2 blue) or the option (0 .. 5); else 0
  const char* caption;
  DesignRect rect;
  DesignFont font;
};

inline constexpr int kForm4Controls = 3 * 4 + 1 + 6 * 2 + 2;

// In the order the controls are made (their tab order).
[[nodiscard]] const std::array<Form4ControlDesign, kForm4Controls>& form4Design();

}  // namespace kepa
