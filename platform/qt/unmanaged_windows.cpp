#include "platform/qt/unmanaged_windows.h"

#include <QGuiApplication>

namespace kepa {

UnmanagedWindowsAside::UnmanagedWindowsAside() {
  // Qt lists top-level windows in the order they were created, which is the order they were
  // raised in: the clipping window before the magnifier above it.
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->isVisible() && window->flags().testFlag(Qt::X11BypassWindowManagerHint)) {
      lowered_.emplace_back(window);
    }
  }
  for (auto it = lowered_.rbegin(); it != lowered_.rend(); ++it)
    (*it)->lower();
}

UnmanagedWindowsAside::~UnmanagedWindowsAside() {
  for (const QPointer<QWindow>& window : lowered_) {
    if (window && window->isVisible()) window->raise();
  }
}

}  // namespace kepa
