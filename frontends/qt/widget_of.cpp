#include "frontends/qt/widget_of.h"

#include <QTimer>

namespace kepa {

QWidget& widgetOf(FormWindow& window) {
  return dynamic_cast<QWidget&>(window);
}

QWidget* widgetOf(FormWindow* window) {
  return window == nullptr ? nullptr : &widgetOf(*window);
}

void destroyWidgetLater(QWidget& window) {
  for (QTimer* timer : window.findChildren<QTimer*>())
    timer->stop();
  window.hide();
  window.deleteLater();
}

}  // namespace kepa
