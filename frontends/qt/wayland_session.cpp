#include "frontends/qt/wayland_session.h"

#include <cstdlib>
#include <cstring>

namespace kepa {

bool inWaylandSession() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return (display != nullptr && *display != '\0') ||
         (session != nullptr && std::strcmp(session, "wayland") == 0);
}

}  // namespace kepa
