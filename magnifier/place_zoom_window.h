// PlaceZoomWindow, the shared procedure of Module1 that moves the magnifier out of the
// pointer's way.
#pragma once

#include "app/module1.h"
#include "magnifier/form3_face.h"
#include "runtime/screen.h"

namespace kepa {

// Reads the pointer into CursorPos and moves the magnifier's window as zoomWindowMove says:
// its frame's right edge onto the screen's right edge, or its left edge onto the screen's
// left edge, and its top onto the screen's top.
void PlaceZoomWindow(Module1& module1, Screen& screen, Form3Face& form3);

}  // namespace kepa
