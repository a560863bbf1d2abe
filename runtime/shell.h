// The notification icon and the windows' places: handles of windows and icons, the icon in
// the notification area, the foreground window and SetWindowPos.
#pragma once

#include <cstdint>

#include "core/surface.h"
#include "runtime/form_window.h"
#include "runtime/menu.h"
#include "runtime/notify_icon_data.h"

namespace kepa {

class Shell {
 public:
  Shell() = default;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;
  virtual ~Shell() = default;

  // Handles: hWnd of a window (the target of icon callbacks) and hIcon of an icon's pixels.
  [[nodiscard]] virtual std::uint32_t windowHandle(FormWindow& window) = 0;
  [[nodiscard]] virtual std::uint32_t iconHandle(const Surface& icon) = 0;

  // Whether the desktop shows a notification area (a tray host) now.
  [[nodiscard]] virtual bool notificationAreaShown() = 0;
  // NIM_ADD shows the icon of hIcon with the tip szTip (up to its NUL); its mouse events then
  // arrive at the window hWnd as mouse moves whose x, in pixels, is the message number
  // (WM_LBUTTONDOWN, WM_RBUTTONDOWN, ...). NIM_DELETE removes it.
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) = 0;
  // The menu that the icon's window pops up for the right button, given before NIM_ADD.
  // Where the tray host draws an icon's menu itself and sends no press (a StatusNotifierItem
  // host), it is handed to the host: the host's opening of it arrives as WM_RBUTTONDOWN, the
  // PopupMenu of it then returns at once with nothing chosen, and a choice in the host's
  // menu runs the item's click handler afterwards.
  virtual void setNotifyIconMenu(Menu& /*menu*/) {}

  virtual bool SetForegroundWindow(std::uint32_t hWnd) = 0;
  // SetWindowPos on the window hWnd, with the insert-after values and flags of window_pos.h;
  // false for an unknown handle.
  virtual bool SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                            std::int32_t y, std::int32_t cx, std::int32_t cy,
                            std::uint32_t wFlags) = 0;
};

}  // namespace kepa
