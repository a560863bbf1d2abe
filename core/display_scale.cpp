#include "core/display_scale.h"

#include <charconv>

namespace kepa {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<double> positiveNumber(std::string_view text) {
  text = trimmed(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0.0)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

float twipsPerPixel(double dotsPerInch) {
  return 1440.0F / static_cast<float>(dotsPerInch);
}

std::optional<double> xftDpi(std::string_view resources) {
  constexpr std::string_view kName = "Xft.dpi:";
  while (!resources.empty()) {
    const auto end = resources.find('\n');
    const std::string_view line = trimmed(resources.substr(0, end));
    if (line.starts_with(kName)) return positiveNumber(line.substr(kName.size()));
    resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
  }
  return std::nullopt;
}

double environmentScale(std::string_view global, std::string_view perScreen,
                        std::string_view screenName, int screenIndex) {
  double factor = positiveNumber(global).value_or(1.0);
  int position = 0;
  while (!perScreen.empty()) {
    const auto end = perScreen.find(';');
    const std::string_view entry = perScreen.substr(0, end);
    const auto equals = entry.find('=');
    const bool ours = equals == std::string_view::npos
                          ? position == screenIndex
                          : trimmed(entry.substr(0, equals)) == screenName;
    const std::string_view value =
        equals == std::string_view::npos ? entry : entry.substr(equals + 1);
    if (ours) factor *= positiveNumber(value).value_or(1.0);
    ++position;
    perScreen = end == std::string_view::npos ? std::string_view() : perScreen.substr(end + 1);
  }
  return factor;
}

}  // namespace kepa
