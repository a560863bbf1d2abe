// The Qt side of the program's windows: every FormWindow of the Qt front end is a QWidget.
#pragma once

#include <QWidget>

#include "runtime/form_window.h"

namespace kepa {

// The widget that is `window` (each window class of the front end derives from both).
[[nodiscard]] QWidget& widgetOf(FormWindow& window);
[[nodiscard]] QWidget* widgetOf(FormWindow* window);

// FormWindow::destroyLater for a widget: its timers stop and it hides at once; Qt deletes it
// when control is back in the event loop.
void destroyWidgetLater(QWidget& window);

}  // namespace kepa
