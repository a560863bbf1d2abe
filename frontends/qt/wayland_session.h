// Whether the program runs in a Wayland session, as an X client of Xwayland (WAYLAND_DISPLAY
// is set, or XDG_SESSION_TYPE is "wayland"). There the X server sees none of the screen, so
// the screen is read through the desktop's screenshot portal, and the compositor keeps its
// panels above unmanaged X windows, so a window that must cover the whole screen asks for
// full screen instead.
#pragma once

namespace kepa {

[[nodiscard]] bool inWaylandSession();

}  // namespace kepa
