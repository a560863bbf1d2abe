#include "runtime/notification_area.h"

namespace kepa {

bool waitForNotificationArea(Shell& shell, ProgramLife& life, std::chrono::milliseconds timeout) {
  constexpr std::chrono::milliseconds kLook{100};
  for (std::chrono::milliseconds waited{0};; waited += kLook) {
    if (shell.notificationAreaShown()) return true;
    // Ended while waiting (a signal at logout): no need to sit out the rest of the wait.
    if (life.ending() || waited >= timeout) return false;
    life.DoEvents();
    life.pause(kLook);
  }
}

}  // namespace kepa
