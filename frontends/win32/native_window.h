// A window of the Win32 front end: its handle, its window procedure routed to handle(), its
// timers, and its end once control is back in the message loop (an unload often comes from
// inside one of its own messages).
#pragma once

#include <functional>
#include <set>
#include <string>

#include "core/geometry.h"
#include "frontends/win32/windows_api.h"
#include "runtime/timer.h"

namespace kepa {

class NativeWindow;

// A timer control on SetTimer: its ticks arrive as WM_TIMER at its window.
class NativeTimer final : public Timer {
 public:
  NativeTimer(NativeWindow& owner, std::function<void()> onTick);
  ~NativeTimer() override;
  void setInterval(int milliseconds) override;
  [[nodiscard]] int interval() const override { return interval_; }
  void stop();
  void tick() const { onTick_(); }

 private:
  NativeWindow& owner_;
  std::function<void()> onTick_;
  int interval_ = 0;
};

class NativeWindow {
 public:
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;
  virtual ~NativeWindow();

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  // The window, hidden at once with its timers stopped, is deleted when its message loop
  // next runs.
  void deleteLater();

  // The window a handle belongs to, if it is one of the program's.
  [[nodiscard]] static NativeWindow* of(HWND hwnd);

 protected:
  NativeWindow() = default;
  // Creates the window; `frame` is its outer rectangle on the screen.
  void create(const wchar_t* className, DWORD exStyle, DWORD style, const std::string& title,
              Rect frame, HWND owner = nullptr);
  // The window's messages; the default paints with paint() and leaves the rest to Windows.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Paints `area` of the client area; the default paints nothing over the background.
  virtual void paint(HDC dc, const RECT& area) const;

 private:
  friend class NativeTimer;
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  std::set<NativeTimer*> timers_;
  bool deleteAsked_ = false;
};

// The program's module, for resources and window classes.
[[nodiscard]] HINSTANCE programInstance();

}  // namespace kepa
