#include "frontends/win32/native_window.h"

#include "frontends/win32/wide_text.h"

namespace kepa {

namespace {

// Posted by deleteLater: the window's C++ object ends while its loop runs it.
constexpr UINT kDeleteWindow = WM_APP + 1;

void registerClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (GetClassInfoExW(programInstance(), name, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = programInstance();
  windowClass.hIcon = LoadIconW(programInstance(), MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

}  // namespace

HINSTANCE programInstance() {
  return GetModuleHandleW(nullptr);
}

NativeTimer::NativeTimer(NativeWindow& owner, std::function<void()> onTick)
    : owner_(owner), onTick_(std::move(onTick)) {
  owner_.timers_.insert(this);
}

NativeTimer::~NativeTimer() {
  stop();
  owner_.timers_.erase(this);
}

void NativeTimer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  if (milliseconds == 0) {
    stop();
    return;
  }
  SetTimer(owner_.hwnd(), reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(milliseconds),
           nullptr);
}

void NativeTimer::stop() {
  if (owner_.hwnd() != nullptr) KillTimer(owner_.hwnd(), reinterpret_cast<UINT_PTR>(this));
}

NativeWindow::~NativeWindow() {
  if (hwnd_ == nullptr) return;
  // Its messages no longer reach this object, which is going.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void NativeWindow::deleteLater() {
  for (NativeTimer* timer : timers_)
    timer->stop();
  ShowWindow(hwnd_, SW_HIDE);
  deleteAsked_ = true;
  PostMessageW(hwnd_, kDeleteWindow, 0, 0);
}

NativeWindow* NativeWindow::of(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void NativeWindow::create(const wchar_t* className, DWORD exStyle, DWORD style,
                          const std::string& title, Rect frame, HWND owner) {
  registerClass(className, &NativeWindow::procedure);
  CreateWindowExW(exStyle, className, wideOf(title).c_str(), style, frame.x, frame.y, frame.width,
                  frame.height, owner, nullptr, programInstance(), this);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    paint(dc, ps.rcPaint);
    EndPaint(hwnd_, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void NativeWindow::paint(HDC, const RECT&) const {}

LRESULT CALLBACK NativeWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  NativeWindow* window = of(hwnd);
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == kDeleteWindow) {
    // Any program can post this number to any window: only the window's own deleteLater
    // counts.
    if (window->deleteAsked_) delete window;
    return 0;
  }
  if (message == WM_TIMER) {
    auto* timer = reinterpret_cast<NativeTimer*>(wParam);
    if (window->timers_.contains(timer)) timer->tick();
    return 0;
  }
  return window->handle(message, wParam, lParam);
}

}  // namespace kepa
