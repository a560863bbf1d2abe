#include "frontends/qt/qt_desktop.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include "core/display_scale.h"
#include "frontends/qt/handlers_hold.h"
#include "frontends/qt/host_menu.h"
#include "frontends/qt/pointer_query.h"
#include "frontends/qt/popup_menu.h"
#include "frontends/qt/save_dialog.h"
#include "frontends/qt/save_picture.h"
#include "frontends/qt/surface_image.h"
#include "frontends/qt/unmanaged_windows.h"
#include "frontends/qt/wayland_session.h"
#include "frontends/qt/widget_of.h"
#include "frontends/qt/apply_window_pos.h"

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

QScreen& primaryScreen() {
  return *QGuiApplication::primaryScreen();
}

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

QtDesktop::QtDesktop()
    : usePortal_(inWaylandSession()), traceMenus_(std::getenv("KEPA_TRACE_MENUS") != nullptr) {
  const auto forget = [this] { desktopPixels_.reset(); };
  const auto watch = [forget](QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, qApp, forget);
    QObject::connect(screen, &QScreen::virtualGeometryChanged, qApp, forget);
  };
  for (QScreen* screen : QGuiApplication::screens())
    watch(screen);
  QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [forget, watch](QScreen* screen) {
    forget();
    watch(screen);
  });
  QObject::connect(qApp, &QGuiApplication::screenRemoved, qApp, forget);
}

QtDesktop::~QtDesktop() {
  if (waitCursor_) QApplication::restoreOverrideCursor();
}

float QtDesktop::twipsPerPixelX() const {
  return twipsPerPixel(primaryScreen().logicalDotsPerInchX());
}

float QtDesktop::twipsPerPixelY() const {
  return twipsPerPixel(primaryScreen().logicalDotsPerInchY());
}

Point QtDesktop::desktopPixels() const {
  // Asked of the server once, and again only when Qt reports that the screens changed (it
  // follows RandR): a capture needs the size several times, and a round trip waits for
  // whatever the server is still busy with.
  if (!desktopPixels_) desktopPixels_ = desktopSize();
  return *desktopPixels_;
}

float QtDesktop::screenWidthTwips() const {
  return static_cast<float>(desktopPixels().x) * twipsPerPixelX();
}

float QtDesktop::screenHeightTwips() const {
  return static_cast<float>(desktopPixels().y) * twipsPerPixelY();
}

std::vector<Monitor> QtDesktop::monitors() const {
  // Qt's geometry is in device pixels: kepa runs without Qt's own scaling.
  std::vector<Monitor> all;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    all.push_back({{area.x(), area.y(), area.width(), area.height()},
                   screen == QGuiApplication::primaryScreen()});
  }
  return all;
}

void QtDesktop::setMousePointer(MousePointer pointer) {
  const bool wait = pointer == MousePointer::Hourglass;
  if (wait == waitCursor_) return;
  waitCursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

ShmScreenGrabber* QtDesktop::grabber() {
  if (!grabberProbed_) {
    grabberProbed_ = true;
    grabber_ = ShmScreenGrabber::forApplication();
  }
  return grabber_.get();
}

void QtDesktop::prepareScreenImage(std::int32_t width, std::int32_t height) {
  // The memory of a fresh segment costs a page fault per page, in kepa and again in the
  // server, the first time each side touches it: tens of milliseconds at 3840 x 2160. A grab
  // into it touches every page on both sides. It runs once the menu is on the screen, so
  // that the menu does not wait for it, while the user still chooses.
  preparing_ = true;
  QTimer::singleShot(0, qApp, [this, width, height] {
    ShmScreenGrabber* shm = grabber();
    if (!preparing_ || shm == nullptr) return;
    preparing_ = false;
    prepared_ = shm->createSurface(width, height);
    [[maybe_unused]] const bool grabbed = shm->grabRows(*prepared_, 0, height);
  });
}

void QtDesktop::releasePreparedScreenImage() {
  preparing_ = false;
  prepared_.reset();
}

Surface QtDesktop::createScreenImage(std::int32_t width, std::int32_t height) {
  if (prepared_ && prepared_->width() == width && prepared_->height() == height) {
    Surface image = std::move(*prepared_);
    prepared_.reset();
    return image;
  }
  prepared_.reset();
  ShmScreenGrabber* shm = grabber();
  return shm != nullptr ? shm->createSurface(width, height) : Surface(width, height);
}

DeviceContext QtDesktop::GetDC() {
  if (!usePortal_) {
    screen_ = std::make_unique<QtScreenSource>(desktopPixels(), grabber());
    return DeviceContext(*screen_);
  }
  // Long enough for a desktop that asks the user before the first screenshot.
  constexpr std::chrono::seconds kPortalAnswer{30};
  std::optional<QImage> picture = portal_.take(kPortalAnswer);
  if (!picture) {
    askPortalAgain_ = portal_.failure() == PortalScreenshot::Failure::Refused;
    return {};
  }
  screen_ = std::make_unique<QtScreenSource>(std::move(*picture), desktopPixels());
  return DeviceContext(*screen_);
}

std::string QtDesktop::screenProblem() const {
  return PortalScreenshot::explanation(portal_.failure());
}

void QtDesktop::ReleaseDC(DeviceContext& screen) {
  screen = DeviceContext();
  screen_.reset();
}

Point QtDesktop::GetCursorPos() {
  if (!pointer_) pointer_ = std::make_unique<PointerQuery>();
  if (const std::optional<Point> at = pointer_->position()) return *at;
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

std::uint32_t QtDesktop::windowHandle(FormWindow& window) {
  return registry_.windowHandle(widgetOf(window));
}

std::uint32_t QtDesktop::iconHandle(const Surface& icon) {
  return registry_.iconHandle(icon);
}

bool QtDesktop::waitForNotificationArea(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!QSystemTrayIcon::isSystemTrayAvailable()) {
    // Ended while waiting (a signal at logout): no need to sit out the rest of the wait.
    if (ending_ || std::chrono::steady_clock::now() >= deadline) return false;
    QCoreApplication::processEvents();
    QThread::msleep(100);
  }
  return true;
}

bool QtDesktop::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
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

void QtDesktop::onActivated(QSystemTrayIcon::ActivationReason reason) {
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

void QtDesktop::setNotifyIconMenu(Menu& menu) {
  iconMenu_ = &menu;
}

void QtDesktop::onHostMenuChoice(MenuItem& item) {
  if (traceMenus_) std::fprintf(stderr, "kepa: chosen %s\n", item.caption().c_str());
  // Posted like the icon's callbacks: the click handler runs from the event loop, after the
  // handler of the press that opened the menu.
  QMetaObject::invokeMethod(
      qApp,
      [this, &item] {
        HandlersOnHold::run(*qApp, [this, &item] {
          // An item of the icon's menu lives as long as the icon.
          if (!ending_ && hostMenu_) item.click();
        });
      },
      Qt::QueuedConnection);
}

bool QtDesktop::SetForegroundWindow(std::uint32_t hWnd) {
  QWidget* window = registry_.window(hWnd);
  if (window == nullptr) return false;
  if (window->isVisible()) {
    window->raise();
    window->activateWindow();
  }
  return true;
}

bool QtDesktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                             std::int32_t y, std::int32_t cx, std::int32_t cy,
                             std::uint32_t wFlags) {
  QWidget* window = registry_.window(hWnd);
  if (window == nullptr) return false;
  applyWindowPos(*window, hWndInsertAfter, x, y, cx, cy, wFlags);
  return true;
}

void QtDesktop::DoEvents() {
  QCoreApplication::processEvents();
}

MenuItem* QtDesktop::showPopup(Menu& menu) {
  if (traceMenus_) std::fprintf(stderr, "kepa: menu %s\n", menuTrace(menu).c_str());
  // The host shows its menu on its own; what is chosen there comes later (onHostMenuChoice).
  if (hostMenu_ && hostMenu_->draws(menu)) return nullptr;
  QMenu popup;
  std::map<QAction*, MenuItem*> actions;
  buildMenu(popup, menu, actions);
  QAction* chosen = popup.exec(QCursor::pos());
  // Ended while the menu was open (a termination signal): the windows are on their way out,
  // and running events now would delete the window whose handler this is, under its feet.
  if (ending_) return nullptr;
  waitUntilRepainted(popup.geometry());
  const auto found = actions.find(chosen);
  MenuItem* item = found == actions.end() ? nullptr : found->second;
  if (traceMenus_) {
    std::fprintf(stderr, "kepa: chosen %s\n", item != nullptr ? item->caption().c_str() : "-");
  }
  return item;
}

void QtDesktop::showMessage(MessageKind kind, const std::string& title, const std::string& text) {
  QMessageBox box(kind == MessageKind::Critical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
  if (std::exchange(askPortalAgain_, false)) {
    // GNOME asks the user before a program's first screenshot, but only while the program
    // has a focused window, and otherwise refuses: this message is one. The answer is kept
    // for the next capture; the picture taken now is thrown away.
    constexpr int kFocusedMs = 300;
    QTimer::singleShot(kFocusedMs, &box, [this] { portal_.askAgain(); });
  }
  box.exec();
}

std::optional<std::string> QtDesktop::showSaveDialog(const SaveDialogRequest& request) {
  if (traceMenus_) std::fprintf(stderr, "kepa: save dialog %s\n", request.directory.c_str());
  return runSaveDialog(request,
                       [&](QWidget& dialog) { makeModalTo(dialog, widgetOf(request.owner)); });
}

std::string QtDesktop::AppPath() {
  return QCoreApplication::applicationDirPath().toStdString();
}

std::string QtDesktop::picturesPath() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return (pictures.isEmpty() ? QDir::homePath() : pictures).toStdString();
}

bool QtDesktop::canWriteIn(const std::string& path) {
  const QFileInfo folder(QString::fromStdString(path));
  return folder.isDir() && folder.isWritable();
}

SaveOutcome QtDesktop::SavePicture(const Surface& picture, const std::string& path) {
  return saveBitmapFile(picture, path);
}

void QtDesktop::ClipboardClear() {
  // The clear takes effect with the SetData that follows: QClipboard replaces every format at
  // once, so the clipboard is never left empty by a SetData that fails.
}

bool QtDesktop::ClipboardSetData(const Surface& image) {
  if (image.empty()) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  // A deep copy: the clipboard serves it to other programs long after the picture changed.
  clipboard->setImage(imageOf(image).copy(), QClipboard::Clipboard);
  // Where the clipboard cannot be owned (another client holds the X selection fast), Qt
  // keeps no data; then nothing changed hands.
  return clipboard->ownsClipboard() || QGuiApplication::platformName() != QStringLiteral("xcb");
}

void QtDesktop::showModal(FormWindow& form, FormWindow* owner) {
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

bool QtDesktop::bringModalWindowForward() {
  QWindow* modal = QGuiApplication::modalWindow();
  if (modal == nullptr) return false;
  modal->raise();
  modal->requestActivate();
  return true;
}

void QtDesktop::endProgram(int exitCode) {
  ending_ = true;
  QCoreApplication::exit(exitCode);
}

}  // namespace kepa
