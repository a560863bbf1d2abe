// A timer control: setting the interval to 0 stops it, any other value (re)starts it with
// that interval; each tick runs the owner's handler.
#pragma once

#include <functional>

#include <QTimer>

namespace kepa {

class Timer {
 public:
  // The timer belongs to `owner` (its window): it dies with it and is stopped when the
  // window is unloaded.
  Timer(QObject& owner, std::function<void()> onTick);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() = default;

  void setInterval(int milliseconds);
  [[nodiscard]] int interval() const { return interval_; }
  [[nodiscard]] bool isRunning() const { return timer_->isActive(); }
  // Milliseconds until the next tick, -1 when stopped.
  [[nodiscard]] int remainingTime() const { return timer_->remainingTime(); }

 private:
  QTimer* timer_;  // a child of the owner
  int interval_ = 0;
};

}  // namespace kepa
