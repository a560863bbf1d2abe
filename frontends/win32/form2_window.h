// The Win32 window of Form2: a topmost full-screen popup over the whole desktop that shows the
// captured image (a DIB section) 1:1 and, over it, the selection frame Shape1, the region
// image Picture1 where shown and the outline of a drag of Picture1; the cross-hair is a real
// inverting cursor.
#pragma once

#include "clip/form2_face.h"
#include "frontends/win32/native_window.h"

namespace kepa {

class Form2Window final : public NativeWindow, public Form2Face {
 public:
  static constexpr const wchar_t* kClassName = L"KepaForm2";

  // `origin`: where the desktop's (0, 0) lies on the screen's coordinates.
  Form2Window(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY, Handlers handlers,
              Point origin);

  void destroyLater() override { deleteLater(); }
  void showOverScreen() override;

 protected:
  void invalidate(const Rect& area) override;
  [[nodiscard]] int dragDistance() const override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Paints `area` from the models: the image, the frame, Picture1 and the drag outline.
  void paint(HDC dc, const RECT& area) const override;

 private:
  void released(int button, WPARAM keys, LPARAM at);

  Point origin_;
  HCURSOR crossHair_;  // the inverting cursor of the program's resources
};

}  // namespace kepa
