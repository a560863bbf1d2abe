#include <cstring>

#include "frontends/win32/dib_section.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"

namespace kepa {

namespace {

HICON iconOf(const Surface& pixels) {
  BITMAPINFO info = topDownInfo(pixels.width(), pixels.height());
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  std::memcpy(bits, pixels.data(),
              pixels.bytesPerLine() * static_cast<std::size_t>(pixels.height()));
  std::vector<BYTE> opaque(
      static_cast<std::size_t>((pixels.width() + 15) / 16 * 2 * pixels.height()), 0);
  HBITMAP mask = CreateBitmap(pixels.width(), pixels.height(), 1, 1, opaque.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  HICON handle = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(colour);
  return handle;
}

}  // namespace

std::uint32_t Win32Desktop::windowHandle(FormWindow& window) {
  auto* native = dynamic_cast<NativeWindow*>(&window);
  if (native == nullptr) return 0;
  for (const auto& [handle, known] : windows_) {
    if (known == native->hwnd()) return handle;
  }
  const std::uint32_t handle = nextHandle_++;
  windows_.emplace(handle, native->hwnd());
  return handle;
}

HWND Win32Desktop::windowOf(std::uint32_t handle) const {
  const auto found = windows_.find(handle);
  return found != windows_.end() && IsWindow(found->second) ? found->second : nullptr;
}

std::uint32_t Win32Desktop::iconHandle(const Surface& icon) {
  const std::uint32_t handle = nextHandle_++;
  icons_.emplace(handle, iconOf(icon));
  return handle;
}

bool Win32Desktop::notificationAreaShown() {
  return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

bool Win32Desktop::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = windowOf(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.uCallbackMessage = record.uCallbackMessage;
  const auto icon = icons_.find(record.hIcon);
  data.hIcon = icon == icons_.end() ? nullptr : icon->second;
  const std::wstring tip = wideOf(tipText(record));
  tip.copy(data.szTip, std::size(data.szTip) - 1);
  if (message == NIM_DELETE) {
    icon_.reset();
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
  }
  const bool done = Shell_NotifyIconW(message == NIM_ADD ? NIM_ADD : NIM_MODIFY, &data) != FALSE;
  if (done) icon_ = record;
  return done;
}

void Win32Desktop::taskbarCreated() {
  if (icon_) {
    const NOTIFYICONDATA record = *icon_;
    Shell_NotifyIconA(NIM_ADD, record);
  }
}

bool Win32Desktop::SetForegroundWindow(std::uint32_t hWnd) {
  HWND window = windowOf(hWnd);
  return window != nullptr && ::SetForegroundWindow(window) != FALSE;
}

bool Win32Desktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                                std::int32_t y, std::int32_t cx, std::int32_t cy,
                                std::uint32_t wFlags) {
  HWND window = windowOf(hWnd);
  if (window == nullptr) return false;
  return ::SetWindowPos(window, reinterpret_cast<HWND>(static_cast<INT_PTR>(hWndInsertAfter)),
                        x + screen_.x, y + screen_.y, cx, cy, wFlags) != FALSE;
}

}  // namespace kepa
