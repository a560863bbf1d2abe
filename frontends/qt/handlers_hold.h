// A stretch of time in which none of the program's handlers may run, though Qt must go on
// handling events: while a popup's area is waited on to be repainted, before a capture.
//
// While a HandlersOnHold lives, the program's timer ticks and notification-icon callbacks
// that come due are kept; when the last one ends they are posted to the event loop, so they
// run after the handler that held them has finished. The hold is one for the whole program
// (its single user-interface thread).
#pragma once

#include <functional>

class QObject;

namespace kepa {

class HandlersOnHold {
 public:
  HandlersOnHold();
  HandlersOnHold(const HandlersOnHold&) = delete;
  HandlersOnHold& operator=(const HandlersOnHold&) = delete;
  ~HandlersOnHold();

  [[nodiscard]] static bool active();
  // Runs `handler` now or, during a hold, after it. With `once`, the handlers kept for the
  // same `owner` run only once (a timer's ticks); none runs if `owner` is gone by then.
  static void run(QObject& owner, std::function<void()> handler, bool once = false);
};

}  // namespace kepa
