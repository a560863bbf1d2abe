#include "core/display_scale.h"

#include <charconv>
#include <string>

namespace kepa {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The number `text` holds where it lies in [low, high]; an empty text is no setting at all.
std::optional<double> numberIn(std::string_view name, std::string_view text, double low,
                               double high, const IgnoredSetting& ignored) {
  text = trimmed(text);
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // NaN fails both comparisons; infinities and overflows fail the range.
  if (error == std::errc() && end == text.data() + text.size() && value >= low && value <= high)
    return value;
  if (ignored) ignored(name, text);
  return std::nullopt;
}

}  // namespace

float twipsPerPixel(double dotsPerInch) {
  return 1440.0F / static_cast<float>(dotsPerInch);
}

std::optional<double> xftDpi(std::string_view resources, const IgnoredSetting& ignored) {
  constexpr std::string_view kName = "Xft.dpi:";
  while (!resources.empty()) {
    const auto end = resources.find('\n');
    const std::string_view line = trimmed(resources.substr(0, end));
    if (line.starts_with(kName)) {
      return numberIn("Xft.dpi", line.substr(kName.size()), kMinDotsPerInch, kMaxDotsPerInch,
                      ignored);
    }
    resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
  }
  return std::nullopt;
}

double environmentScale(std::string_view global, std::string_view perScreen,
                        std::string_view screenName, int screenIndex,
                        const IgnoredSetting& ignored) {
  const auto factorOf = [&](std::string_view name, std::string_view text) {
    return numberIn(name, text, kMinScaleFactor, kMaxScaleFactor, ignored).value_or(1.0);
  };
  double factor = factorOf("QT_SCALE_FACTOR", global);
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
    if (ours) factor *= factorOf("QT_SCREEN_SCALE_FACTORS", value);
    ++position;
    perScreen = end == std::string_view::npos ? std::string_view() : perScreen.substr(end + 1);
  }
  if (factor < kMinScaleFactor || factor > kMaxScaleFactor) {
    if (ignored) ignored("QT_SCALE_FACTOR x QT_SCREEN_SCALE_FACTORS", std::to_string(factor));
    return 1.0;
  }
  return factor;
}

}  // namespace kepa
