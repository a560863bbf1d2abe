#include "frontends/qt/window_registry.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>

#include "frontends/qt/surface_image.h"

namespace kepa {

std::uint32_t WindowRegistry::windowHandle(QWidget& window) {
  for (const auto& [handle, known] : windows_) {
    if (known == &window) return handle;
  }
  const std::uint32_t handle = next_++;
  windows_.emplace(handle, &window);
  return handle;
}

QWidget* WindowRegistry::window(std::uint32_t handle) const {
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second.data();
}

std::uint32_t WindowRegistry::iconHandle(const Surface& icon) {
  const QImage pixels = imageOf(icon).copy();
  for (const auto& [known, handle] : iconPixels_) {
    if (known == pixels) return handle;
  }
  const std::uint32_t handle = next_++;
  iconPixels_.emplace_back(pixels, handle);
  icons_.emplace(handle, QIcon(QPixmap::fromImage(pixels)));
  return handle;
}

QIcon WindowRegistry::icon(std::uint32_t handle) const {
  const auto found = icons_.find(handle);
  return found == icons_.end() ? QIcon() : found->second;
}

void WindowRegistry::deliverIconEvent(const NOTIFYICONDATA& record,
                                      std::uint32_t mouseMessage) const {
  if ((record.uFlags & NIF_MESSAGE) == 0 || record.uCallbackMessage != WM_MOUSEMOVE) return;
  QWidget* target = window(record.hWnd);
  if (target == nullptr) return;
  const QPointF at(static_cast<double>(mouseMessage), 0.0);
  QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(target, &move);
}

}  // namespace kepa
