// The program's own icon: the 16 x 16 picture of the tray icon and of its windows.
#pragma once

#include "core/surface.h"

namespace kepa {

// A camera viewfinder over a navy lens, in three colours of the classic 16-colour palette.
[[nodiscard]] const Surface& kepaIcon();

}  // namespace kepa
