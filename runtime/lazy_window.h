// A window created on first reference: the code module that owns it lives on, while the
// window (its face and controls) is created by the first reference, which runs the module's
// Form_Load, and destroyed by Unload; the next reference creates it afresh.
#pragma once

#include <functional>
#include <memory>

namespace kepa {

template <typename Window>
class LazyWindow {
 public:
  using Factory = std::function<std::unique_ptr<Window>()>;

  LazyWindow(Factory create, std::function<void()> formLoad)
      : create_(std::move(create)), formLoad_(std::move(formLoad)) {}
  LazyWindow(const LazyWindow&) = delete;
  LazyWindow& operator=(const LazyWindow&) = delete;
  ~LazyWindow() { unload(); }

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

  // Destroys the window: it disappears at once and goes once control is back in the event
  // loop (see FormWindow::destroyLater).
  void unload() {
    if (window_) window_.release()->destroyLater();
  }

 private:
  Factory create_;
  std::function<void()> formLoad_;
  std::unique_ptr<Window> window_;
};

}  // namespace kepa
