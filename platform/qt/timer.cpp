#include "platform/qt/timer.h"

namespace kepa {

Timer::Timer(QObject& owner, std::function<void()> onTick) : timer_(new QTimer(&owner)) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_, &QTimer::timeout, [tick = std::move(onTick)] { tick(); });
}

void Timer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  if (milliseconds == 0) {
    timer_->stop();
    return;
  }
  timer_->start(milliseconds);
}

}  // namespace kepa
