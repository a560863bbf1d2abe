// SetWindowPos carried out on a Qt window.
#pragma once

#include <cstdint>

#include "runtime/window_pos.h"

class QWidget;

namespace kepa {

// Applies the call to `window`: HWND_TOPMOST and HWND_NOTOPMOST set and clear its
// always-on-top state; SWP_SHOWWINDOW shows it (restored if it was minimised, and without
// taking the focus under SWP_NOACTIVATE), SWP_HIDEWINDOW hides it; (x, y) is its frame's new
// position unless SWP_NOMOVE, (cx, cy) its new size unless SWP_NOSIZE. Other insert-after
// values leave the z-order alone.
void applyWindowPos(QWidget& window, std::int32_t insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags);

}  // namespace kepa
