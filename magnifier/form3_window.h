// The window of Form3, the magnifier "ＺｏｏｍＵＰ": a small tool window with its own caption
// (icon, title and close button) around the client area, the scratch square Picture1 (never
// seen) and the timer Timer1.
//
// The clipping window beneath it is unmanaged and covers the whole screen above every panel,
// and no window manager stacks one of its windows above an unmanaged one. So the magnifier is
// unmanaged as well, draws its own caption, and is moved by dragging that caption.
#pragma once

#include <functional>
#include <optional>

#include <QWidget>

#include "magnifier/form3_client.h"
#include "platform/picture.h"
#include "platform/qt/timer.h"

namespace kepa {

class Form3Window final : public QWidget {
 public:
  struct Handlers {
    std::function<void()> timer1;
    Form3Client::MouseHandler mouseMove;  // over the client area
    // The window was closed from outside (its close button): the module unloads it.
    std::function<void()> closed;
  };

  Form3Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  // Shown and not minimised: a window hidden by any means reads as not visible.
  [[nodiscard]] bool Visible() const { return isVisible() && !isMinimized(); }

  [[nodiscard]] Form3Client& client() { return *client_; }
  [[nodiscard]] DeviceContext& hDC() { return client_->hDC(); }
  void Cls() { client_->Cls(); }

  Picture Picture1{32, 32};
  Timer Timer1;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] QRect captionRect() const;
  [[nodiscard]] QRect closeButtonRect() const;

  Handlers handlers_;
  Form3Client* client_;
  int captionHeight_;
  std::optional<QPoint> dragFrom_;  // where a drag of the caption grabbed the window
};

}  // namespace kepa
