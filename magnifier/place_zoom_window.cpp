#include "magnifier/place_zoom_window.h"

#include "magnifier/zoom_rules.h"
#include "platform/numeric.h"

namespace kepa {

void PlaceZoomWindow(Module1& module1, Desktop& desktop, Form3Window& form3) {
  module1.CursorPos = desktop.GetCursorPos();
  const std::int16_t sw =
      toInteger(integerDivide(desktop.screenWidthTwips(), desktop.twipsPerPixelX()));
  const std::int16_t sh =
      toInteger(integerDivide(desktop.screenHeightTwips(), desktop.twipsPerPixelY()));
  const std::int16_t cx = toInteger(module1.CursorPos.x);
  const std::int16_t cy = toInteger(module1.CursorPos.y);
  const ZoomMove move = zoomWindowMove(sw, sh, cx, cy);
  // The window's position and width are its frame's, as the window manager draws it.
  QPoint topLeft = form3.frameGeometry().topLeft();
  if (move.horizontal == ZoomMove::Horizontal::ToRightEdge) {
    topLeft.setX(sw - form3.frameGeometry().width());
  } else if (move.horizontal == ZoomMove::Horizontal::ToLeftEdge) {
    topLeft.setX(0);
  }
  if (move.toTop) topLeft.setY(0);
  if (topLeft != form3.frameGeometry().topLeft()) form3.move(topLeft);
}

}  // namespace kepa
