#include "magnifier/place_zoom_window.h"

#include "magnifier/zoom_rules.h"
#include "core/numeric.h"

namespace kepa {

void PlaceZoomWindow(Module1& module1, Desktop& desktop, Form3Face& form3) {
  module1.CursorPos = desktop.GetCursorPos();
  // The screen is the monitor under the pointer, in its own coordinates: the window jumps to
  // the other side of the monitor the user works on.
  const Rect screen = monitorAt(desktop.monitors(), module1.CursorPos);
  const float tppX = desktop.twipsPerPixelX();
  const float tppY = desktop.twipsPerPixelY();
  const std::int16_t sw = toInteger(pixelsOfTwips(static_cast<float>(screen.width) * tppX, tppX));
  const std::int16_t sh = toInteger(pixelsOfTwips(static_cast<float>(screen.height) * tppY, tppY));
  const std::int16_t cx = toInteger(static_cast<double>(module1.CursorPos.x) - screen.x);
  const std::int16_t cy = toInteger(static_cast<double>(module1.CursorPos.y) - screen.y);
  const ZoomMove move = zoomWindowMove(sw, sh, cx, cy);
  // The window's position and width are its frame's, as the window manager draws it.
  const Rect frame = form3.frameGeometry();
  Point topLeft{frame.x, frame.y};
  if (move.horizontal == ZoomMove::Horizontal::ToRightEdge) {
    topLeft.x = screen.x + sw - frame.width;
  } else if (move.horizontal == ZoomMove::Horizontal::ToLeftEdge) {
    topLeft.x = screen.x;
  }
  if (move.toTop) topLeft.y = screen.y;
  if (topLeft != Point{frame.x, frame.y}) form3.move(topLeft);
}

}  // namespace kepa
