#include "frontends/win32/win32_desktop.h"

#include <thread>

#include "core/display_scale.h"

namespace kepa {

class Win32Desktop::Owner final : public NativeWindow {
 public:
  explicit Owner(Win32Desktop& desktop)
      : desktop_(desktop), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    create(kOwnerClass, WS_EX_TOOLWINDOW, WS_POPUP, "KEPA", {0, 0, 0, 0});
  }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == taskbarCreated_) {
      desktop_.taskbarCreated();
      return 0;
    }
    // Nothing closes the program's hidden window but the program.
    if (message == WM_CLOSE) return 0;
    if (message == kRequest) {
      if (desktop_.requested) desktop_.requested(wParam != 0);
      return 0;
    }
    return NativeWindow::handle(message, wParam, lParam);
  }

 private:
  Win32Desktop& desktop_;
  UINT taskbarCreated_;
};

Win32Desktop::Win32Desktop()
    : Dialogs(static_cast<ProgramLife&>(*this)),
      screen_(virtualScreen()),
      owner_(std::make_unique<Owner>(*this)) {
  HDC screen = ::GetDC(nullptr);
  twipsPerPixel_ = twipsPerPixel(GetDeviceCaps(screen, LOGPIXELSX));
  ::ReleaseDC(nullptr, screen);
}

HWND Win32Desktop::ownerWindow() const {
  return owner_->hwnd();
}

Win32Desktop::~Win32Desktop() {
  for (const auto& [handle, icon] : icons_)
    DestroyIcon(icon);
}

void Win32Desktop::DoEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Desktop::pause(std::chrono::milliseconds time) {
  std::this_thread::sleep_for(time);
}

int Win32Desktop::run() {
  MSG message;
  while (!ending_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return exitCode_;
}

void Win32Desktop::endProgram(int exitCode) {
  ending_ = true;
  exitCode_ = exitCode;
  PostQuitMessage(exitCode);
}

}  // namespace kepa
