#include "magnifier/place_zoom_window.h"

#include "core/numeric.h"
#include "magnifier/zoom_rules.h"

namespace kepa {

void PlaceZoomWindow(Module1& module1, Screen& screen, Form3Face& form3) {
  module1.CursorPos = screen.GetCursorPos();
  // The monitor under the pointer, in its own coordinates, is the screen here: the window jumps to
  // the other side of the monitor the user works on.
  const Rect monitor = monitorAt(screen.monitors(), module1.CursorPos);
  const float tppX = screen.twipsPerPixelX();
  const float tppY = screen.twipsPerPixelY();
  const std::int16_t sw = toInteger(pixelsOfTwips(static_cast<float>(monitor.width) * tppX, tppX));
  const std::int16_t sh = toInteger(pixelsOfTwips(static_cast<float>(monitor.height) * tppY, tppY));
  const std::int16_t cx = toInteger(static_cast<double>(module1.CursorPos.x) - monitor.x);
  const std::int16_t cy = toInteger(static_cast<double>(module1.CursorPos.y) - monitor.y);
  const ZoomMove move = zoomWindowMove(sw, sh, cx, cy);
  // The window's position and width are its frame's, as the window manager draws it.
  const Rect frame = form3.frameGeometry();
  Point topLeft{frame.x, frame.y};
  if (move.horizontal == ZoomMove::Horizontal::ToRightEdge) {
    topLeft.x = monitor.x + sw - frame.width;
  } else if (move.horizontal == ZoomMove::Horizontal::ToLeftEdge) {
    topLeft.x = monitor.x;
  }
  if (move.toTop) topLeft.y = monitor.y;
  if (topLeft != Point{frame.x, frame.y}) form3.move(topLeft);
}

}  // namespace kepa
