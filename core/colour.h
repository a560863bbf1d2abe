// A colour as the program writes it: a 32-bit value 0x00BBGGRR (red in the low byte), or
// 0x800000nn naming system colour nn, plus the conversion to the pixel words of a Surface.
#pragma once

#include <cstdint>

namespace kepa {

class Colour {
 public:
  // System colour indexes used by the program's design-time defaults.
  static constexpr std::uint32_t kSystemFlag = 0x80000000U;
  static constexpr std::uint32_t kWindowBackground = kSystemFlag | 5U;
  static constexpr std::uint32_t kWindowText = kSystemFlag | 8U;
  static constexpr std::uint32_t kButtonFace = kSystemFlag | 15U;  // a form's own background

  constexpr Colour() = default;
  // The raw value as written in the program, e.g. Colour(0x800000) for dark blue.
  constexpr explicit Colour(std::uint32_t value) : value_(value) {}

  static constexpr Colour fromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour(static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8U |
                  static_cast<std::uint32_t>(b) << 16U);
  }
  // From a Surface pixel word 0xFFRRGGBB.
  static constexpr Colour fromPixel(std::uint32_t pixel) {
    return fromRgb(static_cast<std::uint8_t>(pixel >> 16U), static_cast<std::uint8_t>(pixel >> 8U),
                   static_cast<std::uint8_t>(pixel));
  }

  [[nodiscard]] constexpr std::uint32_t value() const { return value_; }
  [[nodiscard]] constexpr bool isSystemColour() const { return (value_ & kSystemFlag) != 0; }

  // The plain 0x00BBGGRR colour: system colours resolve to the fixed values of a classic
  // desktop (window background white, window text black, button face light grey); a system
  // index the program never uses resolves to black; bits 24-30 of a plain colour are ignored.
  [[nodiscard]] constexpr Colour resolved() const {
    if (value_ == kWindowBackground) return Colour(0xFFFFFFU);
    if (value_ == kButtonFace) return Colour(0xC0C0C0U);
    if (isSystemColour()) return Colour(0x000000U);
    return Colour(value_ & 0xFFFFFFU);
  }

  [[nodiscard]] constexpr std::uint8_t red() const {
    return static_cast<std::uint8_t>(resolved().value_);
  }
  [[nodiscard]] constexpr std::uint8_t green() const {
    return static_cast<std::uint8_t>(resolved().value_ >> 8U);
  }
  [[nodiscard]] constexpr std::uint8_t blue() const {
    return static_cast<std::uint8_t>(resolved().value_ >> 16U);
  }

  // The Surface pixel word 0xFFRRGGBB of the resolved colour (the layout of Qt's RGB32).
  [[nodiscard]] constexpr std::uint32_t pixel() const {
    return 0xFF000000U | static_cast<std::uint32_t>(red()) << 16U |
           static_cast<std::uint32_t>(green()) << 8U | blue();
  }

  friend constexpr bool operator==(Colour, Colour) = default;

 private:
  std::uint32_t value_ = 0;
};

// The pixel word of black, which reads outside a source surface give in block copies.
inline constexpr std::uint32_t kBlackPixel = 0xFF000000U;

}  // namespace kepa
