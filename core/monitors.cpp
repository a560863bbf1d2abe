#include "core/monitors.h"

#include <algorithm>
#include <optional>

namespace kepa {

namespace {

bool holds(Rect area, Point point) {
  return point.x >= area.x && point.y >= area.y &&
         static_cast<std::int64_t>(point.x) < static_cast<std::int64_t>(area.x) + area.width &&
         static_cast<std::int64_t>(point.y) < static_cast<std::int64_t>(area.y) + area.height;
}

std::int64_t sizeOf(Rect area) {
  return static_cast<std::int64_t>(area.width) * area.height;
}

}  // namespace

Rect primaryMonitor(const std::vector<Monitor>& monitors) {
  const auto primary =
      std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  if (primary != monitors.end()) return primary->area;
  return monitors.empty() ? Rect{} : monitors.front().area;
}

Rect monitorAt(const std::vector<Monitor>& monitors, Point point) {
  std::optional<Rect> found;
  for (const Monitor& monitor : monitors) {
    if (holds(monitor.area, point) && (!found || sizeOf(monitor.area) < sizeOf(*found))) {
      found = monitor.area;
    }
  }
  return found ? *found : primaryMonitor(monitors);
}

Point centredOn(Rect area, std::int32_t width, std::int32_t height) {
  const auto centre = [](std::int32_t start, std::int32_t length, std::int32_t size) {
    return static_cast<std::int32_t>(start + (static_cast<std::int64_t>(length) - size) / 2);
  };
  return {centre(area.x, area.width, width), centre(area.y, area.height, height)};
}

}  // namespace kepa
