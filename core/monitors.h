// The monitors of the desktop and which one a rule means by "the screen". All areas are in
// pixels of the whole desktop, whose origin is the top-left corner of the X screen: a monitor
// left of or above the primary one pushes the primary one right or down.
#pragma once

#include <vector>

#include "core/geometry.h"

namespace kepa {

struct Monitor {
  Rect area;
  bool primary = false;
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The screen that windows are centred on: the primary monitor, else the first one; an empty
// rectangle when there is no monitor at all.
[[nodiscard]] Rect primaryMonitor(const std::vector<Monitor>& monitors);

// The monitor the user works on when the pointer is at `point`: the smallest one that holds
// it (a monitor may lie inside another, as the X screen's own one does), else the primary.
[[nodiscard]] Rect monitorAt(const std::vector<Monitor>& monitors, Point point);

// The top-left corner that centres a width x height window on `area`, in whole pixels with
// an odd remainder's half pixel dropped.
[[nodiscard]] Point centredOn(Rect area, std::int32_t width, std::int32_t height);

}  // namespace kepa
