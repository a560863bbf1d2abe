// The client area of the magnifier's window: a persistent image (the enlarged view is drawn
// into it) under the four coordinate labels. Its layout is fixed in twips.
#pragma once

#include <functional>

#include <QLabel>
#include <QWidget>

#include "platform/picture.h"
#include "platform/surface.h"

namespace kepa {

class Form3Client final : public QWidget {
 public:
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

  // The client area, in twips.
  static constexpr float kWidthTwips = 227.0F * 15.0F;
  static constexpr float kHeightTwips = 273.0F * 15.0F;

  Form3Client(QWidget& frame, float twipsPerPixelX, float twipsPerPixelY, MouseHandler mouseMove);

  // The persistent image, in pixels; clearing it fills the form's background.
  [[nodiscard]] DeviceContext& hDC() { return image_.hDC(); }
  void Cls() { image_.Cls(); }
  [[nodiscard]] const Surface& image() const { return image_.image(); }

  // Whether the view already shows `square` enlarged to width x height; if not, remembers
  // them as what it is about to show.
  [[nodiscard]] bool showsAlready(const Surface& square, std::int32_t width, std::int32_t height);

  // Repaints the rows whose pixels differ from what the window shows.
  void repaintChanged();

  QLabel* Label1 = nullptr;
  QLabel* LabelX = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* LabelY = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QLabel* addLabel(const QString& caption, float left, float top, float width, float height);

  float twipsPerPixelX_;
  float twipsPerPixelY_;
  MouseHandler mouseMove_;
  Picture image_;
  Surface shown_;     // the image as last handed to the window system
  Surface enlarged_;  // the square the view shows enlarged, and the size it has there
  QSize enlargedSize_;
};

}  // namespace kepa
