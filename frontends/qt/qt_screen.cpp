#include "frontends/qt/qt_screen.h"

#include <utility>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "core/display_scale.h"
#include "frontends/qt/wayland_session.h"

namespace kepa {

namespace {

QScreen& primaryScreen() {
  return *QGuiApplication::primaryScreen();
}

}  // namespace

QtScreen::QtScreen() : source_(inWaylandSession() ? Source::Portal : Source::XServer) {
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

QtScreen::~QtScreen() {
  if (waitCursor_) QApplication::restoreOverrideCursor();
}

float QtScreen::twipsPerPixelX() const {
  return twipsPerPixel(primaryScreen().logicalDotsPerInchX());
}

float QtScreen::twipsPerPixelY() const {
  return twipsPerPixel(primaryScreen().logicalDotsPerInchY());
}

Point QtScreen::desktopPixels() const {
  // Asked of the server once, and again only when Qt reports that the screens changed (it
  // follows RandR): a capture needs the size several times, and a round trip waits for
  // whatever the server is still busy with.
  if (!desktopPixels_) desktopPixels_ = desktopSize();
  return *desktopPixels_;
}

std::vector<Monitor> QtScreen::monitors() const {
  // Qt's geometry is in device pixels: kepa runs without Qt's own scaling.
  std::vector<Monitor> all;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    all.push_back({{area.x(), area.y(), area.width(), area.height()},
                   screen == QGuiApplication::primaryScreen()});
  }
  return all;
}

void QtScreen::setMousePointer(MousePointer pointer) {
  const bool wait = pointer == MousePointer::Hourglass;
  if (wait == waitCursor_) return;
  waitCursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

ShmScreenGrabber* QtScreen::grabber() {
  if (!grabberProbed_) {
    grabberProbed_ = true;
    grabber_ = ShmScreenGrabber::forApplication();
  }
  return grabber_.get();
}

void QtScreen::prepareScreenImage(std::int32_t width, std::int32_t height) {
  // The memory of a fresh segment costs a page fault per page, in kepa and again in the
  // server, the first time each side touches it: tens of milliseconds at 3840 x 2160. A grab
  // into it touches every page on both sides. It runs once the menu is on the screen, so
  // that the menu does not wait for it, while the user still chooses.
  preparation_ = Preparation::Asked;
  QTimer::singleShot(0, qApp, [this, width, height] {
    ShmScreenGrabber* shm = grabber();
    if (preparation_ != Preparation::Asked || shm == nullptr) return;
    preparation_ = Preparation::Made;
    prepared_ = shm->createSurface(width, height);
    [[maybe_unused]] const bool grabbed = shm->grabRows(*prepared_, 0, height);
  });
}

void QtScreen::releasePreparedScreenImage() {
  preparation_ = Preparation::None;
  prepared_.reset();
}

Surface QtScreen::createScreenImage(std::int32_t width, std::int32_t height) {
  std::optional<Surface> prepared = std::exchange(prepared_, std::nullopt);
  preparation_ = Preparation::None;
  if (prepared && prepared->width() == width && prepared->height() == height)
    return std::move(*prepared);
  ShmScreenGrabber* shm = grabber();
  return shm != nullptr ? shm->createSurface(width, height) : Surface(width, height);
}

DeviceContext QtScreen::GetDC() {
  if (source_ == Source::XServer) {
    screen_ = std::make_unique<QtScreenSource>(desktopPixels(), grabber());
    return DeviceContext(*screen_);
  }
  // Long enough for a desktop that asks the user before the first screenshot.
  constexpr std::chrono::seconds kPortalAnswer{30};
  std::optional<QImage> picture = portal_.take(kPortalAnswer);
  if (!picture) {
    source_ = portal_.failure() == PortalScreenshot::Failure::Refused ? Source::PortalRefused
                                                                      : Source::Portal;
    return {};
  }
  source_ = Source::Portal;
  screen_ = std::make_unique<QtScreenSource>(std::move(*picture), desktopPixels());
  return DeviceContext(*screen_);
}

std::string QtScreen::screenProblem() const {
  return PortalScreenshot::explanation(portal_.failure());
}

void QtScreen::ReleaseDC(DeviceContext& screen) {
  screen = DeviceContext();
  screen_.reset();
}

Point QtScreen::GetCursorPos() {
  if (!pointer_) pointer_ = std::make_unique<PointerQuery>();
  if (const std::optional<Point> at = pointer_->position()) return *at;
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

void QtScreen::messageShows(QObject& box) {
  if (source_ != Source::PortalRefused) return;
  source_ = Source::Portal;
  // GNOME asks the user before a program's first screenshot, but only while the program has
  // a focused window, and otherwise refuses: this message is one. The answer is kept for the
  // next capture; the picture taken now is thrown away.
  constexpr int kFocusedMs = 300;
  QTimer::singleShot(kFocusedMs, &box, [this] { portal_.askAgain(); });
}

}  // namespace kepa
