#include "frontends/qt/qt_controls.h"

#include <QPainter>

namespace kepa {

void QtSwatch::setBackColor(Colour colour) {
  backColor_ = colour;
  update();
}

void QtSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Colour c = backColor_.resolved();
  painter.fillRect(rect(), QColor(c.red(), c.green(), c.blue()));
}

}  // namespace kepa
