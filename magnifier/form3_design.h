// The design of the magnifier "ＺｏｏｍＵＰ": its caption and its four labels under the view, in
// design pixels on its client area, all in one bold 12-point font.
#pragma once

#include <array>

#include "core/design_pixels.h"
#include "runtime/design_font.h"

namespace kepa {

inline constexpr const char* kForm3Caption = "ＺｏｏｍＵＰ";

// Label1 and Label2 name the coordinates that LabelX and LabelY show.
enum class Form3Label { Label1, LabelX, Label2, LabelY };

struct Form3LabelDesign {
  Form3Label label;
  const char* caption;
  DesignRect rect;
};

inline constexpr DesignFont kForm3LabelFont{12, true};

inline constexpr std::array<Form3LabelDesign, 4> kForm3Labels{{
    {Form3Label::Label1, "X :", {8, 240, 25, 17}},
    {Form3Label::LabelX, "Label3", {40, 240, 89, 17}},
    {Form3Label::Label2, "Y :", {128, 240, 25, 17}},
    {Form3Label::LabelY, "Label4", {160, 240, 57, 17}},
}};

}  // namespace kepa
