#include "frontends/win32/dib_section.h"
#include "frontends/win32/win32_desktop.h"

namespace kepa {

Point Win32Desktop::screenPixels() const {
  const Rect desktop = virtualScreen();
  return {desktop.width, desktop.height};
}

void Win32Desktop::setMousePointer(MousePointer pointer) {
  if (pointer == MousePointer::Hourglass) {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    return;
  }
  // The default is the pointer of the window under it (the cross-hair over the frozen
  // screen), as it would be after the next move, not the arrow.
  POINT at{};
  ::GetCursorPos(&at);
  const HWND under = WindowFromPoint(at);
  // Only the program's own windows are asked: another program's may hang, and a message sent
  // to it would hang kepa with it.
  const bool own =
      under != nullptr && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId();
  if (!own || SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                           MAKELPARAM(SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)),
                                      WM_MOUSEMOVE)) == FALSE) {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
  }
}

std::vector<Monitor> Win32Desktop::monitors() const {
  std::vector<Monitor> found;
  const Rect desktop = virtualScreen();
  struct Context {
    std::vector<Monitor>* found;
    Rect desktop;
  } context{&found, desktop};
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        auto& c = *reinterpret_cast<Context*>(data);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        const RECT& r = info.rcMonitor;
        c.found->push_back(
            {{r.left - c.desktop.x, r.top - c.desktop.y, r.right - r.left, r.bottom - r.top},
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&context));
  if (found.empty()) found.push_back({{0, 0, desktop.width, desktop.height}, true});
  return found;
}

Surface Win32Desktop::createScreenImage(std::int32_t width, std::int32_t height) {
  return dibSurface(width, height);
}

DeviceContext Win32Desktop::GetDC() {
  screen_ = virtualScreen();
  screenSource_ = std::make_unique<ScreenSource>();
  return DeviceContext(*screenSource_);
}

void Win32Desktop::ReleaseDC(DeviceContext& screen) {
  screen = DeviceContext();
  screenSource_.reset();
}

Point Win32Desktop::GetCursorPos() {
  POINT at{};
  ::GetCursorPos(&at);
  return {at.x - screen_.x, at.y - screen_.y};
}

}  // namespace kepa
