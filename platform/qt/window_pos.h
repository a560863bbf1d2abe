// SetWindowPos: a window's place in the z-order, its visibility, position and size, changed
// in one call as the flags say.
#pragma once

#include <cstdint>

class QWidget;

namespace kepa {

// Insert-after values: above every window that is not always on top, or no longer so.
inline constexpr std::int32_t HWND_TOPMOST = -1;
inline constexpr std::int32_t HWND_NOTOPMOST = -2;

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;

// Applies the call to `window`: HWND_TOPMOST and HWND_NOTOPMOST set and clear its
// always-on-top state; SWP_SHOWWINDOW shows it (restored if it was minimised, and without
// taking the focus under SWP_NOACTIVATE), SWP_HIDEWINDOW hides it; (x, y) is its frame's new
// position unless SWP_NOMOVE, (cx, cy) its new size unless SWP_NOSIZE. Other insert-after
// values leave the z-order alone.
void applyWindowPos(QWidget& window, std::int32_t insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags);

}  // namespace kepa
