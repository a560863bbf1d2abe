// A window created on first reference: the code module that owns it lives on, while the
// window (the widget and its controls) is created by the first reference, which runs the
// module's Form_Load, and destroyed by Unload; the next reference creates it afresh.
#pragma once

#include <functional>
#include <memory>

#include <QTimer>
#include <QWidget>

namespace kepa {

template <typename Window>
class LazyWindow {
 public:
  using Factory = std::function<std::unique_ptr<Window>()>;

  LazyWindow(Factory create, std::function<void()> formLoad)
      : create_(std::move(create)), formLoad_(std::move(formLoad)) {}
  LazyWindow(const LazyWindow&) = delete;
  LazyWindow& operator=(const LazyWindow&) = delete;
  ~LazyWindow() = default;

  // The window, loading it first if needed. Form_Load runs once the window exists, so
  // references to the window from inside Form_Load see it and do not load it again.
  Window& get() {
    if (!window_) {
      window_ = create_();
      formLoad_();
    }
    return *window_;
  }

  [[nodiscard]] bool isLoaded() const { return window_ != nullptr; }
  // The window if it is loaded, without loading it.
  [[nodiscard]] Window* ifLoaded() const { return window_.get(); }

  // Destroys the window: it disappears and its timers stop at once, and it is deleted when
  // control returns to the event loop, since an unload is often asked for from inside one
  // of its own events.
  void unload() {
    if (!window_) return;
    for (QTimer* timer : window_->template findChildren<QTimer*>())
      timer->stop();
    window_->hide();
    QWidget* leaving = window_.release();
    leaving->deleteLater();
  }

 private:
  Factory create_;
  std::function<void()> formLoad_;
  std::unique_ptr<Window> window_;
};

}  // namespace kepa
