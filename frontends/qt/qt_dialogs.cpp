#include "frontends/qt/qt_dialogs.h"

#include <chrono>
#include <functional>
#include <map>
#include <utility>

#include <QAction>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include "frontends/qt/handlers_hold.h"
#include "frontends/qt/popup_menu.h"
#include "frontends/qt/qt_screen_source.h"
#include "frontends/qt/save_dialog.h"
#include "frontends/qt/widget_of.h"

namespace kepa {

namespace {

// Calls back when the watched widget is hidden.
class HideWatcher final : public QObject {
 public:
  explicit HideWatcher(std::function<void()> hidden) : hidden_(std::move(hidden)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) hidden_();
    return false;
  }

 private:
  std::function<void()> hidden_;
};

// A window modal to `owner` blocks only it (and the windows above it in its chain), not the
// tray icon's window: the program can still be ended from the tray.
void makeModalTo(QWidget& window, QWidget* owner) {
  if (owner == nullptr || owner->windowHandle() == nullptr) {
    window.setWindowModality(Qt::ApplicationModal);
    return;
  }
  window.setWindowModality(Qt::WindowModal);
  window.winId();  // the native window, to be given its owner
  window.windowHandle()->setTransientParent(owner->windowHandle());
}

// Once a popup has closed, the windows beneath it repaint the area it covered, each in its
// own time. Before the chosen item's handler runs (it may capture the screen), wait until
// that area has stopped changing: two equal reads 15 ms apart, for at most 300 ms. Qt goes
// on painting meanwhile, but no handler of the program runs: a splash whose time ends now
// is still on the screen that a capture takes.
void waitUntilRepainted(const QRect& area) {
  using std::chrono::milliseconds;
  const HandlersOnHold hold;
  const auto deadline = std::chrono::steady_clock::now() + milliseconds(300);
  QImage before;
  while (std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
    const QImage now = grabDesktopArea(area);
    if (!before.isNull() && now == before) return;
    before = now;
    QThread::msleep(15);
  }
}

}  // namespace

QtDialogs::QtDialogs(const ProgramLife& life, const QtShell& shell, QtScreen& screen)
    : Dialogs(life), shell_(shell), screen_(screen) {}

PopupOutcome QtDialogs::showPopup(Menu& menu) {
  // The host shows its menu on its own; what is chosen there comes later.
  if (shell_.hostDraws(menu)) return {nullptr, true};
  QMenu popup;
  std::map<QAction*, MenuItem*> actions;
  buildMenu(popup, menu, actions);
  QAction* chosen = popup.exec(QCursor::pos());
  // Ended while the menu was open (a termination signal): the windows are on their way out,
  // and running events now would delete the window whose handler this is, under its feet.
  if (life().ending()) return {};
  waitUntilRepainted(popup.geometry());
  const auto found = actions.find(chosen);
  return {found == actions.end() ? nullptr : found->second};
}

void QtDialogs::showMessage(MessageKind kind, const std::string& title, const std::string& text) {
  QMessageBox box(kind == MessageKind::Critical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
  screen_.messageShows(box);
  box.exec();
}

std::optional<std::string> QtDialogs::runSaveDialog(const SaveDialogRequest& request) {
  return kepa::runSaveDialog(
      request, [&](QWidget& dialog) { makeModalTo(dialog, widgetOf(request.owner)); });
}

void QtDialogs::showModal(FormWindow& form, FormWindow* owner) {
  QWidget& window = widgetOf(form);
  QEventLoop loop;
  // The loop ends when the window is hidden (an unload hides it first) or destroyed.
  const QPointer<QWidget> watched(&window);
  HideWatcher watcher([&loop] { loop.quit(); });
  window.installEventFilter(&watcher);
  QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
  makeModalTo(window, widgetOf(owner));
  window.show();
  window.raise();
  window.activateWindow();
  if (window.isVisible()) loop.exec();
  if (watched) watched->removeEventFilter(&watcher);
}

bool QtDialogs::bringModalWindowForward() {
  QWindow* modal = QGuiApplication::modalWindow();
  if (modal == nullptr) return false;
  modal->raise();
  modal->requestActivate();
  return true;
}

}  // namespace kepa
