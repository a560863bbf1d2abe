// Start-up's wait for a notification area: a tray host may still be starting.
#pragma once

#include <chrono>

#include "runtime/program_life.h"
#include "runtime/shell.h"

namespace kepa {

// Looks for a notification area every 100 ms, running the events between looks, for up to
// `timeout`; false when none came or the program was ended meanwhile.
[[nodiscard]] bool waitForNotificationArea(Shell& shell, ProgramLife& life,
                                           std::chrono::milliseconds timeout);

}  // namespace kepa
