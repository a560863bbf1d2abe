#include "settings/form4_design.h"

namespace kepa {

namespace {

constexpr DesignFont kName{11.25, true};
constexpr DesignFont kPlain{12, false};
constexpr DesignFont kFrame{12, true};
constexpr DesignFont kSystem{};

constexpr std::array<Form4ControlDesign, kForm4Controls> design() {
  std::array<Form4ControlDesign, kForm4Controls> all{};
  std::size_t n = 0;
  const char* const names[] = {"ＲED値", "ＧＲＥＥＮ値", "ＢＵＬＥ値"};
  const int nameWidths[] = {81, 89, 89};
  for (int k = 0; k < 3; ++k) {
    const int top = 64 * k;
    all[n++] = {Form4Control::ColourName, k, names[k], {16, top + 8, nameWidths[k], 17}, kName};
    all[n++] = {Form4Control::Swatch, k, "", {112, top, 33, 33}, kPlain};
    all[n++] = {Form4Control::Value, k, "", {160, top + 8, 49, 17}, kPlain};
    all[n++] = {Form4Control::ScrollBar, k, "", {0, top + 40, 313, 17}, kPlain};
  }
  all[n++] = {Form4Control::Frame, 0, "アルゴリズム", {8, 192, 249, 57}, kFrame};
  const char* const digits[] = {"１", "２", "３", "４", "５", "６"};
  for (int k = 0; k < 6; ++k) {
    all[n++] = {Form4Control::Option, k, "", {16 + 40 * k, 216, 17, 17}, kPlain};
    all[n++] = {Form4Control::OptionDigit, k, digits[k], {32 + 40 * k, 216, 17, 17}, kPlain};
  }
  all[n++] = {Form4Control::Ok, 0, "ＯＫ", {176, 256, 57, 25}, kSystem};
  all[n++] = {Form4Control::Cancel, 0, "Ｃａｎｃｅｌ", {240, 256, 57, 25}, kSystem};
  return all;
}

}  // namespace

const std::array<Form4ControlDesign, kForm4Controls>& form4Design() {
  static constexpr std::array<Form4ControlDesign, kForm4Controls> kDesign = design();
  return kDesign;
}

}  // namespace kepa
