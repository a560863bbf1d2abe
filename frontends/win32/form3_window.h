// The Win32 window of Form3, the magnifier: a small tool window with its caption
// around the client area, which shows the enlarged view under the four coordinate labels.
#pragma once

#include <array>

#include "frontends/win32/native_window.h"
#include "frontends/win32/painted_label.h"
#include "magnifier/form3_face.h"

namespace kepa {

class Form3Window final : public NativeWindow, public Form3Face {
 public:
  // `origin`: where the desktop's (0, 0) lies on the screen's coordinates.
  Form3Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers, Point origin);
  ~Form3Window() override;

  void destroyLater() override { deleteLater(); }
  [[nodiscard]] bool Visible() const override;
  void raise() override;
  [[nodiscard]] Rect frameGeometry() const override;
  void move(Point topLeft) override;
  [[nodiscard]] Timer& Timer1() override { return timer1_; }
  [[nodiscard]] Label& LabelX() override { return labels_[1]; }
  [[nodiscard]] Label& LabelY() override { return labels_[3]; }

 protected:
  void repaintClient(const Rect& area) override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc, const RECT& area) const override;

 private:
  Handlers handlers_;
  Point origin_;
  NativeTimer timer1_;
  HWND window_ = nullptr;  // the handle, for the labels, once made
  std::array<PaintedLabel, 4> labels_;
  HFONT font_;
};

}  // namespace kepa
