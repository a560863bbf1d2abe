// A timer control on a QTimer. A tick that comes due while the program's handlers are on hold
// runs once the hold ends.
#pragma once

#include <functional>

#include <QTimer>

#include "runtime/timer.h"

namespace kepa {

class QtTimer final : public Timer {
 public:
  // The timer belongs to `owner` (its window): it dies with it.
  QtTimer(QObject& owner, std::function<void()> onTick);

  void setInterval(int milliseconds) override;
  [[nodiscard]] int interval() const override { return interval_; }
  void stop() { timer_->stop(); }
  [[nodiscard]] bool isRunning() const { return timer_->isActive(); }
  // Milliseconds until the next tick, -1 when stopped.
  [[nodiscard]] int remainingTime() const { return timer_->remainingTime(); }

 private:
  QTimer* timer_;  // a child of the owner
  int interval_ = 0;
};

}  // namespace kepa
