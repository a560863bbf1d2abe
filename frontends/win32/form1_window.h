// The Win32 window of Form1: the splash (dark blue, the artwork and five labels), the target
// of the notification icon's callbacks, and its timer. Its unit is the twip.
#pragma once

#include "app/form1_face.h"
#include "frontends/win32/native_window.h"

namespace kepa {

class Form1Window final : public NativeWindow, public Form1Face {
 public:
  // `origin`: where the desktop's (0, 0) lies on the screen's coordinates, which start at the
  // primary monitor's corner.
  Form1Window(float twipsPerPixel, Handlers handlers, Point origin);
  ~Form1Window() override;

  void destroyLater() override { deleteLater(); }
  void show() override;
  void hide() override { ShowWindow(hwnd(), SW_HIDE); }
  [[nodiscard]] bool isVisible() const override { return IsWindowVisible(hwnd()) != FALSE; }
  [[nodiscard]] Timer& Timer1() override { return timer1_; }

 protected:
  void moveTo(Point topLeft) override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc, const RECT& area) const override;

 private:
  Handlers handlers_;
  Point origin_;
  NativeTimer timer1_;
  HFONT big_;
  HFONT version_;
  HFONT small_;
  HFONT medium_;
};

// The mouse's buttons and keys of a mouse message as the handlers count them: Button 1 left,
// 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
[[nodiscard]] int buttonsOf(WPARAM keys);
[[nodiscard]] int shiftOf(WPARAM keys);

}  // namespace kepa
