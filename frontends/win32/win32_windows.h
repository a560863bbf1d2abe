// The Win32 front end's windows, for the program's code modules.
#pragma once

#include "app/window_factories.h"
#include "frontends/win32/win32_desktop.h"

namespace kepa {

[[nodiscard]] WindowFactories win32Windows(Win32Desktop& desktop);

}  // namespace kepa
