#include "frontends/qt/apply_window_pos.h"

#include <QWidget>

namespace kepa {

void applyWindowPos(QWidget& window, std::int32_t insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  const bool show = (flags & SWP_SHOWWINDOW) != 0;
  const bool hide = !show && (flags & SWP_HIDEWINDOW) != 0;
  if (hide) window.hide();
  // Qt hides a window whose flags change; it is shown again below if it was visible.
  const bool wasVisible = window.isVisible();
  if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    const bool onTop = insertAfter == HWND_TOPMOST;
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
      window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
  }
  if ((flags & SWP_NOMOVE) == 0) window.move(x, y);
  if ((flags & SWP_NOSIZE) == 0) window.resize(cx, cy);
  if (show || (wasVisible && !window.isVisible())) {
    window.setAttribute(Qt::WA_ShowWithoutActivating, (flags & SWP_NOACTIVATE) != 0);
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    if (insertAfter == HWND_TOPMOST) window.raise();
  }
}

}  // namespace kepa
