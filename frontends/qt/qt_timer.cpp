#include "frontends/qt/qt_timer.h"

#include "frontends/qt/handlers_hold.h"

namespace kepa {

QtTimer::QtTimer(QObject& owner, std::function<void()> onTick) : timer_(new QTimer(&owner)) {
  timer_->setTimerType(Qt::PreciseTimer);
  // A tick that comes due while the program's handlers are on hold runs once the hold ends.
  QObject::connect(timer_, &QTimer::timeout, [timer = timer_, tick = std::move(onTick)] {
    HandlersOnHold::run(
        *timer,
        [timer, tick] {
          if (timer->isActive()) tick();
        },
        true);
  });
}

void QtTimer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  if (milliseconds == 0) {
    timer_->stop();
    return;
  }
  timer_->start(milliseconds);
}

}  // namespace kepa
