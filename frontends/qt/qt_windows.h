// The Qt front end's windows, for the program's code modules.
#pragma once

#include "app/window_factories.h"

namespace kepa {

[[nodiscard]] WindowFactories qtWindows();

}  // namespace kepa
