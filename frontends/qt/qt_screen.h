// The screen and the cursor on Qt: the X server's size and Qt's monitors, the capture through
// MIT-SHM or, where the X server does not see the screen (a Wayland session), the portal.
#pragma once

#include <memory>
#include <optional>

#include "frontends/qt/pointer_query.h"
#include "frontends/qt/portal_screenshot.h"
#include "frontends/qt/qt_screen_source.h"
#include "frontends/qt/shm_screen_grabber.h"
#include "runtime/screen.h"

class QObject;

namespace kepa {

class QtScreen final : public Screen {
 public:
  QtScreen();
  ~QtScreen() override;

  [[nodiscard]] Point screenPixels() const override { return desktopPixels(); }
  [[nodiscard]] float twipsPerPixelX() const override;
  [[nodiscard]] float twipsPerPixelY() const override;
  void setMousePointer(MousePointer pointer) override;
  [[nodiscard]] std::vector<Monitor> monitors() const override;

  [[nodiscard]] Surface createScreenImage(std::int32_t width, std::int32_t height) override;
  void prepareScreenImage(std::int32_t width, std::int32_t height) override;
  void releasePreparedScreenImage() override;
  [[nodiscard]] DeviceContext GetDC() override;
  [[nodiscard]] std::string screenProblem() const override;
  void ReleaseDC(DeviceContext& screen) override;
  [[nodiscard]] Point GetCursorPos() override;

  // A message is about to show in `box`: where it tells of the portal's refusal, the portal
  // is asked again while it is up.
  void messageShows(QObject& box);

 private:
  [[nodiscard]] ShmScreenGrabber* grabber();
  // The whole desktop's size in pixels, as the server last said.
  [[nodiscard]] Point desktopPixels() const;

  std::unique_ptr<ShmScreenGrabber> grabber_;
  bool grabberProbed_ = false;
  mutable std::optional<Point> desktopPixels_;
  // A screen image made ready ahead of a capture: asked for, then made.
  enum class Preparation { None, Asked, Made } preparation_ = Preparation::None;
  std::optional<Surface> prepared_;
  std::unique_ptr<QtScreenSource> screen_;
  // Where the screen comes from: the X server, or the portal, which may have refused the
  // last time (it is asked again while the message about it is up).
  enum class Source { XServer, Portal, PortalRefused } source_;
  PortalScreenshot portal_;
  std::unique_ptr<PointerQuery> pointer_;
  bool waitCursor_ = false;
};

}  // namespace kepa
