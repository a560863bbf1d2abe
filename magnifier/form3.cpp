#include "magnifier/form3.h"

#include "core/bit_blt.h"
#include "core/numeric.h"
#include "core/stretch_blt.h"
#include "magnifier/place_zoom_window.h"
#include "magnifier/zoom_rules.h"

namespace kepa {

Form3::Form3(Module1& module1, Screen& screen, Form3Face::Factory makeWindow,
             std::function<DeviceContext&()> capturedScreen)
    : module1_(module1),
      screen_(screen),
      createWindow_(std::move(makeWindow)),
      capturedScreen_(std::move(capturedScreen)),
      window_([this] { return createWindow(); }, [this] { Form_Load(); }) {}

std::unique_ptr<Form3Face> Form3::createWindow() {
  return createWindow_(
      screen_.twipsPerPixelX(), screen_.twipsPerPixelY(),
      Form3Face::Handlers{
          .timer1 = [this] { Timer1_Timer(); },
          .mouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); },
          .closed = [this] { Unload(); },
      });
}

void Form3::Timer1_Timer() {
  Form3Face& form = window();
  module1_.CursorPos = screen_.GetCursorPos();
  const Point corner = zoomSourceCorner(module1_.CursorPos);
  form.Picture1.Cls();
  const DeviceContext& captured = capturedScreen_();
  const Rect onImage = zoomSourceOnImage(corner, captured.width(), captured.height());
  BitBlt(form.Picture1.hDC(), onImage.x - corner.x, onImage.y - corner.y, onImage.width,
         onImage.height, captured, onImage.x, onImage.y, RasterOp::SRCCOPY);
  const Colour marker = markerColour(GetPixel(form.Picture1.hDC(), kZoomOffset, kZoomOffset));
  SetPixelV(form.Picture1.hDC(), kZoomOffset, kZoomOffset, marker);
  const ZoomLabels labels =
      zoomLabels(module1_.CursorPos, module1_.SelectActive, module1_.SelStartX, module1_.SelStartY);
  form.LabelX().setCaption(labels.x);
  form.LabelY().setCaption(labels.y);
  // The client area is cleared and the block enlarged onto it. When the block and the size
  // are those the view already shows, that gives the same image again: the work is skipped.
  const std::int32_t width = zoomViewSide(screen_.twipsPerPixelX());
  const std::int32_t height = zoomViewSide(screen_.twipsPerPixelY());
  if (form.showsAlready(form.Picture1.image(), width, height)) return;
  form.Cls();
  StretchBlt(form.hDC(), 0, 0, width, height, form.Picture1.hDC(), 0, 0, kZoomSquare, kZoomSquare,
             RasterOp::SRCCOPY);
  form.repaintChanged();
}

void Form3::Form_MouseMove(int, int, float, float) {
  PlaceZoomWindow(module1_, screen_, window());
}

}  // namespace kepa
