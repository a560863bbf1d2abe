// The client area of the magnifier's Qt window: it shows the client image as last handed to
// the window system, under the four coordinate labels, and reports the mouse's moves.
#pragma once

#include <functional>

#include <QWidget>

#include "core/surface.h"
#include "frontends/qt/qt_controls.h"
#include "magnifier/form3_design.h"

namespace kepa {

class Form3Client final : public QWidget {
 public:
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

  // `shown` is what the client area shows, of its size; it outlives the widget.
  Form3Client(QWidget& frame, const Surface& shown, float twipsPerPixelX, float twipsPerPixelY,
              MouseHandler mouseMove);

  QtLabel* Label1 = nullptr;
  QtLabel* LabelX = nullptr;
  QtLabel* Label2 = nullptr;
  QtLabel* LabelY = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QtLabel* addLabel(const Form3LabelDesign& design);

  const Surface& shown_;
  float twipsPerPixelX_;
  float twipsPerPixelY_;
  MouseHandler mouseMove_;
};

}  // namespace kepa
