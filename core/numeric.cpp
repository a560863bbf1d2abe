#include "core/numeric.h"

#include <cmath>
#include <limits>
#include <string>

namespace kepa {

double roundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction < 0.5) return floor;
  if (fraction > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {

template <typename Int>
Int checkedRound(double value, const char* typeName) {
  const double rounded = roundHalfEven(value);
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    throw OverflowError(std::string("overflow converting to ") + typeName);
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::int32_t toLong(double value) {
  return checkedRound<std::int32_t>(value, "Long");
}

std::int16_t toInteger(double value) {
  return checkedRound<std::int16_t>(value, "Integer");
}

std::int32_t integerDivide(double a, double b) {
  const std::int64_t dividend = toLong(a);
  const std::int64_t divisor = toLong(b);
  if (divisor == 0) throw OverflowError("division by zero");
  const std::int64_t quotient = dividend / divisor;  // C++ truncates toward zero
  if (quotient > std::numeric_limits<std::int32_t>::max()) {
    throw OverflowError("overflow in integer division");
  }
  return static_cast<std::int32_t>(quotient);
}

std::int32_t hexLiteral(std::string_view text) {
  if (text.size() < 3 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h') || text.size() > 10) {
    throw std::invalid_argument("not a hexadecimal literal");
  }
  std::uint32_t value = 0;
  for (const char c : text.substr(2)) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      throw std::invalid_argument("not a hexadecimal literal");
    }
    value = value << 4U | digit;
  }
  if (text.size() - 2 <= 4) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  return static_cast<std::int32_t>(value);
}

std::int32_t pixelsOfTwips(double twips, double twipsPerPixel) {
  if (twipsPerPixel == std::trunc(twipsPerPixel)) return integerDivide(twips, twipsPerPixel);
  if (!(twipsPerPixel > 0.0)) throw OverflowError("division by a twips per pixel of zero");
  return toLong(std::trunc(static_cast<double>(toLong(twips)) / twipsPerPixel));
}

std::int32_t twipsToPixels(double twips, double twipsPerPixel) {
  return toLong(twips / twipsPerPixel);
}

}  // namespace kepa
