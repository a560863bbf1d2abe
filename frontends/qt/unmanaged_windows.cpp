#include "frontends/qt/unmanaged_windows.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

namespace kepa {

namespace {

bool isUnmanaged(const QWindow& window) {
  return window.flags().testFlag(Qt::X11BypassWindowManagerHint);
}

// The window's ancestor among the root's children: the frame the window manager put around
// it, or the window itself.
xcb_window_t topOf(xcb_connection_t* xcb, xcb_window_t window) {
  for (;;) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(xcb, xcb_query_tree(xcb, window), nullptr);
    if (tree == nullptr) return window;
    const xcb_window_t parent = tree->parent;
    const xcb_window_t root = tree->root;
    std::free(tree);
    if (parent == root || parent == XCB_WINDOW_NONE) return window;
    window = parent;
  }
}

// The root's children, bottom first.
std::vector<xcb_window_t> stackingOrder(xcb_connection_t* xcb, xcb_window_t root) {
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(xcb, xcb_query_tree(xcb, root), nullptr);
  if (tree == nullptr) return {};
  const xcb_window_t* children = xcb_query_tree_children(tree);
  std::vector<xcb_window_t> order(children, children + xcb_query_tree_children_length(tree));
  std::free(tree);
  return order;
}

}  // namespace

UnmanagedWindowsBelowDialogs::UnmanagedWindowsBelowDialogs() {
  check_.setInterval(50);
  QObject::connect(&check_, &QTimer::timeout, this, [this] { restack(); });
  qApp->installEventFilter(this);
}

bool UnmanagedWindowsBelowDialogs::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Expose) &&
      watched->isWindowType()) {
    // After the event has been handled, when the window is (un)mapped.
    QTimer::singleShot(0, this, [this] { restack(); });
  }
  return false;
}

void UnmanagedWindowsBelowDialogs::takeFocus(xcb_connection_t* xcb, QWindow* dialog) {
  // The keyboard stays with whatever program had it before the capture (the clipping window
  // is never focused), and window managers that prevent focus stealing leave it there when
  // the dialog maps: the name typed into the save dialog would go to that program. The
  // newest dialog takes the focus once it is on the screen.
  if (focused_ == dialog) return;
  const auto window = static_cast<xcb_window_t>(dialog->winId());
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(xcb, xcb_get_window_attributes(xcb, window), nullptr);
  const bool viewable = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(attributes);
  if (!viewable) return;
  xcb_set_input_focus(xcb, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
  focused_ = dialog;
}

void UnmanagedWindowsBelowDialogs::restack() {
  // Qt lists top-level windows in the order they were created, which is the order they are
  // raised in: the clipping window before the magnifier above it.
  std::vector<QWindow*> unmanaged;
  std::vector<QWindow*> dialogs;
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (!window->isVisible()) continue;
    if (isUnmanaged(*window)) {
      unmanaged.push_back(window);
    } else if (window->modality() != Qt::NonModal) {
      dialogs.push_back(window);
    }
  }
  if (dialogs.empty()) {
    check_.stop();
    focused_ = nullptr;
    if (below_) {
      for (QWindow* window : unmanaged)
        window->raise();
    }
    below_ = false;
    return;
  }
  check_.start();
  if (unmanaged.empty()) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* xcb = x11->connection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data->root;
  const std::vector<xcb_window_t> order = stackingOrder(xcb, root);
  const auto place = [&](xcb_window_t window) {
    return std::find(order.begin(), order.end(), window) - order.begin();
  };
  // The lowest dialog, as the window manager has framed and stacked it.
  xcb_window_t anchor = XCB_WINDOW_NONE;
  for (QWindow* dialog : dialogs) {
    const xcb_window_t top = topOf(xcb, static_cast<xcb_window_t>(dialog->winId()));
    if (anchor == XCB_WINDOW_NONE || place(top) < place(anchor)) anchor = top;
  }
  // Not framed and stacked yet: the next check will find it.
  if (place(anchor) == static_cast<std::ptrdiff_t>(order.size())) return;
  // Already directly beneath it, in their order?
  bool inPlace = true;
  for (std::size_t i = 0; i < unmanaged.size(); ++i) {
    const auto expected = place(anchor) - static_cast<std::ptrdiff_t>(unmanaged.size() - i);
    inPlace = inPlace && place(static_cast<xcb_window_t>(unmanaged[i]->winId())) == expected;
  }
  below_ = true;
  takeFocus(xcb, dialogs.back());
  if (inPlace) return;
  xcb_window_t above = anchor;
  for (auto it = unmanaged.rbegin(); it != unmanaged.rend(); ++it) {
    const auto window = static_cast<xcb_window_t>((*it)->winId());
    const std::uint32_t values[] = {above, XCB_STACK_MODE_BELOW};
    xcb_configure_window(xcb, window, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE,
                         values);
    above = window;
  }
  xcb_flush(xcb);
}

}  // namespace kepa
