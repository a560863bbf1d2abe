#include <algorithm>
#include <cstdio>
#include <utility>

#include "frontends/fake/fake_desktop.h"
#include "runtime/window_pos.h"

namespace kepa {

std::uint32_t FakeDesktop::windowHandle(FormWindow& window) {
  for (const auto& [handle, known] : handles_) {
    if (known == &window && loaded_.contains(known)) return handle;
  }
  const std::uint32_t handle = nextHandle_++;
  handles_[handle] = &window;
  return handle;
}

std::uint32_t FakeDesktop::iconHandle(const Surface& pixels) {
  const auto same = [&](const Surface& known) {
    if (known.width() != pixels.width() || known.height() != pixels.height()) return false;
    for (std::int32_t y = 0; y < pixels.height(); ++y) {
      if (!std::equal(pixels.row(y), pixels.row(y) + pixels.width(), known.row(y))) return false;
    }
    return true;
  };
  for (const auto& [handle, known] : icons_) {
    if (same(known)) return handle;
  }
  Surface copy(pixels.width(), pixels.height());
  for (std::int32_t y = 0; y < pixels.height(); ++y)
    std::copy_n(pixels.row(y), pixels.width(), copy.row(y));
  const std::uint32_t handle = nextHandle_++;
  icons_.emplace(handle, std::move(copy));
  return handle;
}

bool FakeDesktop::notificationAreaShown() {
  if (whileWaiting) std::exchange(whileWaiting, nullptr)();
  return notificationAreaAvailable;
}

bool FakeDesktop::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
  calls.push_back(message == NIM_ADD      ? "Shell_NotifyIconA NIM_ADD"
                  : message == NIM_DELETE ? "Shell_NotifyIconA NIM_DELETE"
                                          : "Shell_NotifyIconA " + std::to_string(message));
  if (message == NIM_ADD) {
    if (icon) return false;
    icon = record;
    return true;
  }
  if (message == NIM_DELETE) {
    const bool had = icon.has_value();
    icon.reset();
    return had;
  }
  return false;
}

bool FakeDesktop::SetForegroundWindow(std::uint32_t hWnd) {
  calls.push_back("SetForegroundWindow " + std::to_string(hWnd));
  return window(hWnd) != nullptr;
}

bool FakeDesktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                               std::int32_t y, std::int32_t cx, std::int32_t cy,
                               std::uint32_t wFlags) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(wFlags));
  calls.push_back("SetWindowPos " + std::to_string(hWnd) + " " + std::to_string(hWndInsertAfter) +
                  " " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) +
                  " " + std::to_string(cy) + " " + flags);
  auto* fake = dynamic_cast<FakeWindow*>(window(hWnd));
  if (fake == nullptr) return false;
  if (hWndInsertAfter == HWND_TOPMOST) fake->topmost = true;
  if (hWndInsertAfter == HWND_NOTOPMOST) fake->topmost = false;
  if ((wFlags & SWP_NOMOVE) == 0) {
    fake->frame.x = x;
    fake->frame.y = y;
  }
  if ((wFlags & SWP_NOSIZE) == 0) {
    fake->frame.width = cx;
    fake->frame.height = cy;
  }
  if ((wFlags & SWP_SHOWWINDOW) != 0) fake->shown = true;
  if ((wFlags & SWP_HIDEWINDOW) != 0) fake->shown = false;
  return true;
}

}  // namespace kepa
