// The numeric rules of the program: rounding to nearest with ties to even, checked
// conversions to the 16- and 32-bit integer types, and the truncating integer division `\`.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace kepa {

// Raised when a value does not fit the integer type it is converted to, and on a division
// by zero: the program's arithmetic detects overflow instead of wrapping.
class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double roundHalfEven(double value);

// Conversion to a 32-bit Long with ties-to-even rounding; throws OverflowError when the
// rounded value lies outside the Long range or the value is not a number.
[[nodiscard]] std::int32_t toLong(double value);

// Conversion to a 16-bit Integer with ties-to-even rounding; throws OverflowError when the
// rounded value lies outside -32768..32767 or the value is not a number.
[[nodiscard]] std::int16_t toInteger(double value);

// The integer division `a \ b`: both operands are first converted to Long with rounding, then
// the quotient is truncated toward zero. Throws OverflowError when b rounds to 0 or when the
// quotient does not fit a Long (-2147483648 \ -1).
[[nodiscard]] std::int32_t integerDivide(double a, double b);

// The value of a hexadecimal literal written "&H..." (case-insensitive digits): up to four
// digits give a 16-bit Integer (so "&HFFFF" is -1), five to eight a 32-bit Long. Throws
// std::invalid_argument for anything else.
[[nodiscard]] std::int32_t hexLiteral(std::string_view text);

// A size or position in twips as a whole number of pixels, `twips \ twipsPerPixel`: the
// twips rounded to a Long, the quotient truncated toward zero. A whole twips per pixel is
// rounded as `\` rounds it (and gives the same result); one that is not whole (7.5 at 200 %
// scale) is kept as it is, since rounding it to 8 would lose every sixteenth pixel.
[[nodiscard]] std::int32_t pixelsOfTwips(double twips, double twipsPerPixel);

// Twips to whole pixels: the quotient rounded to nearest, halves to even.
[[nodiscard]] std::int32_t twipsToPixels(double twips, double twipsPerPixel);

}  // namespace kepa
