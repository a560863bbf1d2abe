// Keeping the program's unmanaged windows (the full-screen clipping window and the magnifier)
// just beneath its modal dialogs.
//
// No window manager stacks one of its windows above an unmanaged one, so a dialog opened over
// the frozen screen would open beneath it, out of sight. While a modal window of the program
// is shown, the unmanaged windows are therefore restacked directly below the lowest of them:
// the dialog is on top and usable, the frozen screen (and a magnifier that is on) shows all
// around it, and the panels, which window managers keep above ordinary windows, stay
// reachable. Window managers restack their windows when focus moves, so the order is checked
// again every 50 ms while a dialog is up. When the last one closes, the unmanaged windows go
// back on top in their order. The newest dialog also gets the keyboard.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

struct xcb_connection_t;

namespace kepa {

class UnmanagedWindowsBelowDialogs final : public QObject {
 public:
  // Watches the application's windows from now on (an event filter of the application).
  UnmanagedWindowsBelowDialogs();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void restack();
  void takeFocus(xcb_connection_t* xcb, QWindow* dialog);

  QTimer check_;
  QPointer<QWindow> focused_;  // the dialog given the keyboard last
  bool below_ = false;         // the unmanaged windows lie below a dialog
};

}  // namespace kepa
