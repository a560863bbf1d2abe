// kepa works in the screen's device pixels at every desktop scale: a frozen screen must show
// each captured pixel on exactly one screen pixel, which Qt's own scaling (a device pixel
// ratio of 1.5 or 2 on a scaled X11 desktop) cannot promise for a window that spans monitors.
// So Qt's scaling is switched off, and the desktop's scale reaches kepa as the logical DPI
// instead: 1440 / DPI twips per pixel size every window laid out in twips, and fonts given in
// points grow alike.
#pragma once

namespace kepa {

// Sets up Qt's environment for device pixels; call before the QApplication is made. Where
// QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS ask for scaling, their factor for the primary
// monitor is folded into the DPI (QT_FONT_DPI), so that the program still comes out at the
// size the user asked for.
void useDevicePixels();

}  // namespace kepa
