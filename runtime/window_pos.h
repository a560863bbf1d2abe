// SetWindowPos: a window's place in the z-order, its visibility, position and size, changed
// in one call as the flags say.
#pragma once

#include <cstdint>

namespace kepa {

// Insert-after values: above every window that is not always on top, or no longer so.
inline constexpr std::int32_t HWND_TOPMOST = -1;
inline constexpr std::int32_t HWND_NOTOPMOST = -2;

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;

}  // namespace kepa
