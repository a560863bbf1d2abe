// The Qt window of Form3, the magnifier: a small tool window with its own caption
// (icon, title and close button) around the client area.
//
// The clipping window beneath it is unmanaged and covers the whole screen above every panel,
// and no window manager stacks one of its windows above an unmanaged one. So the magnifier is
// unmanaged as well, draws its own caption, and is moved by dragging that caption.
#pragma once

#include <functional>
#include <optional>

#include <QWidget>

#include "frontends/qt/form3_client.h"
#include "frontends/qt/qt_timer.h"
#include "magnifier/form3_face.h"

namespace kepa {

class Form3Window final : public QWidget, public Form3Face {
 public:
  Form3Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  void destroyLater() override;
  [[nodiscard]] bool Visible() const override { return isVisible() && !isMinimized(); }
  void raise() override { QWidget::raise(); }
  [[nodiscard]] Rect frameGeometry() const override;
  void move(Point topLeft) override { QWidget::move(topLeft.x, topLeft.y); }
  [[nodiscard]] Timer& Timer1() override { return timer1_; }
  [[nodiscard]] Label& LabelX() override { return *client_->LabelX; }
  [[nodiscard]] Label& LabelY() override { return *client_->LabelY; }

  [[nodiscard]] Form3Client& client() { return *client_; }

 protected:
  void repaintClient(const Rect& area) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] QRect captionRect() const;
  [[nodiscard]] QRect closeButtonRect() const;

  Handlers handlers_;
  QtTimer timer1_;
  Form3Client* client_;
  int captionHeight_;
  std::optional<QPoint> dragFrom_;  // where a drag of the caption grabbed the window
};

}  // namespace kepa
