// Window and icon handles as 32-bit numbers, and the delivery of notification-icon
// callbacks to the window a record names.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include "runtime/notify_icon_data.h"
#include "core/surface.h"

namespace kepa {

class WindowRegistry {
 public:
  [[nodiscard]] std::uint32_t windowHandle(QWidget& window);
  [[nodiscard]] QWidget* window(std::uint32_t handle) const;
  // The same pixels give the same handle.
  [[nodiscard]] std::uint32_t iconHandle(const Surface& icon);
  [[nodiscard]] QIcon icon(std::uint32_t handle) const;

  // What the shell does with a mouse event on the icon of `record`: when the record asks for
  // WM_MOUSEMOVE callbacks, its window gets a mouse move with x = mouseMessage pixels.
  void deliverIconEvent(const NOTIFYICONDATA& record, std::uint32_t mouseMessage) const;

 private:
  std::uint32_t next_ = 0x100;
  std::map<std::uint32_t, QPointer<QWidget>> windows_;
  std::map<std::uint32_t, QIcon> icons_;
  std::vector<std::pair<QImage, std::uint32_t>> iconPixels_;
};

}  // namespace kepa
