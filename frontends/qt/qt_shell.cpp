#include "frontends/qt/qt_shell.h"

#include <QApplication>
#include <QWidget>

#include "frontends/qt/apply_window_pos.h"
#include "frontends/qt/handlers_hold.h"
#include "frontends/qt/widget_of.h"
#include "runtime/menu_trace.h"

namespace kepa {

namespace {

// The mouse message the shell reports for each kind of activation. With an XEmbed tray
// (X11) every one of them comes on the button's press.
std::uint32_t mouseMessageOf(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return WM_LBUTTONDOWN;
    case QSystemTrayIcon::Context:
      return WM_RBUTTONDOWN;
    case QSystemTrayIcon::DoubleClick:
      return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::MiddleClick:
      return WM_MBUTTONDOWN;
    case QSystemTrayIcon::Unknown:
      break;
  }
  return WM_MOUSEMOVE;
}

}  // namespace

QtShell::QtShell(const ProgramLife& life) : life_(life) {}

QtShell::~QtShell() = default;

std::uint32_t QtShell::windowHandle(FormWindow& window) {
  return registry_.windowHandle(widgetOf(window));
}

std::uint32_t QtShell::iconHandle(const Surface& icon) {
  return registry_.iconHandle(icon);
}

bool QtShell::notificationAreaShown() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtShell::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
  if (message == NIM_DELETE) {
    if (!tray_) return false;
    hostMenu_.reset();
    tray_->hide();
    tray_.reset();
    return true;
  }
  if (message == NIM_ADD && tray_) return false;
  if (message == NIM_MODIFY && !tray_) return false;
  if (message != NIM_ADD && message != NIM_MODIFY) return false;
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    // The menu is not handed to setContextMenu: the right button's press must reach the
    // record's window as a callback, which then pops the menu up itself.
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) { onActivated(reason); });
    // A host that draws the icon's menu itself sends no right press, only the opening.
    if (iconMenu_ != nullptr && HostDrawnMenu::hostDrawsMenus()) {
      hostMenu_ = std::make_unique<HostDrawnMenu>(
          *tray_, *iconMenu_, [this] { onActivated(QSystemTrayIcon::Context); },
          [this](MenuItem& item) { onHostMenuChoice(item); });
    }
  }
  record_ = record;
  if ((record.uFlags & NIF_ICON) != 0) tray_->setIcon(registry_.icon(record.hIcon));
  if ((record.uFlags & NIF_TIP) != 0) tray_->setToolTip(QString::fromLatin1(tipText(record)));
  tray_->show();
  return true;
}

void QtShell::onActivated(QSystemTrayIcon::ActivationReason reason) {
  // Posted, as the shell posts the callback message: the handler (which may pop up a menu and
  // even remove the icon) then runs from the event loop, not inside the icon's own mouse
  // handling, whose widget Qt destroys when the icon is hidden.
  const std::uint32_t message = mouseMessageOf(reason);
  QMetaObject::invokeMethod(
      qApp,
      [this, message] {
        HandlersOnHold::run(*qApp,
                            [this, message] { registry_.deliverIconEvent(record_, message); });
      },
      Qt::QueuedConnection);
}

void QtShell::setNotifyIconMenu(Menu& menu) {
  iconMenu_ = &menu;
}

bool QtShell::hostDraws(const Menu& menu) const {
  return hostMenu_ && hostMenu_->draws(menu);
}

void QtShell::onHostMenuChoice(MenuItem& item) {
  traceMenuChoice(&item);
  // Posted like the icon's callbacks: the click handler runs from the event loop, after the
  // handler of the press that opened the menu.
  QMetaObject::invokeMethod(
      qApp,
      [this, &item] {
        HandlersOnHold::run(*qApp, [this, &item] {
          // An item of the icon's menu lives as long as the icon.
          if (!life_.ending() && hostMenu_) item.click();
        });
      },
      Qt::QueuedConnection);
}

bool QtShell::SetForegroundWindow(std::uint32_t hWnd) {
  QWidget* window = registry_.window(hWnd);
  if (window == nullptr) return false;
  if (window->isVisible()) {
    window->raise();
    window->activateWindow();
  }
  return true;
}

bool QtShell::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                           std::int32_t y, std::int32_t cx, std::int32_t cy, std::uint32_t wFlags) {
  QWidget* window = registry_.window(hWnd);
  if (window == nullptr) return false;
  applyWindowPos(*window, hWndInsertAfter, x, y, cx, cy, wFlags);
  return true;
}

}  // namespace kepa
