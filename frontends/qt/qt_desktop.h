// The real Desktop: Qt's screen, cursor, system tray icon, menus and message boxes.
#pragma once

#include <memory>
#include <optional>

#include <QObject>
#include <QSystemTrayIcon>

#include "runtime/desktop.h"
#include "frontends/qt/host_menu.h"
#include "frontends/qt/pointer_query.h"
#include "frontends/qt/portal_screenshot.h"
#include "frontends/qt/qt_screen_source.h"
#include "frontends/qt/shm_screen_grabber.h"
#include "frontends/qt/unmanaged_windows.h"
#include "frontends/qt/window_registry.h"

namespace kepa {

class QtDesktop final : public Desktop {
 public:
  QtDesktop();
  ~QtDesktop() override;

  [[nodiscard]] float screenWidthTwips() const override;
  [[nodiscard]] float screenHeightTwips() const override;
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

  [[nodiscard]] std::uint32_t windowHandle(FormWindow& window) override;
  [[nodiscard]] std::uint32_t iconHandle(const Surface& icon) override;

  [[nodiscard]] bool waitForNotificationArea(std::chrono::milliseconds timeout) override;
  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) override;
  void setNotifyIconMenu(Menu& menu) override;
  bool SetForegroundWindow(std::uint32_t hWnd) override;
  bool SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                    std::int32_t y, std::int32_t cx, std::int32_t cy,
                    std::uint32_t wFlags) override;
  void DoEvents() override;

  void showMessage(MessageKind kind, const std::string& title, const std::string& text) override;
  void showModal(FormWindow& window, FormWindow* owner) override;
  bool bringModalWindowForward() override;
  [[nodiscard]] std::optional<std::string> showSaveDialog(
      const SaveDialogRequest& request) override;
  [[nodiscard]] std::string AppPath() override;
  [[nodiscard]] std::string picturesPath() override;
  [[nodiscard]] bool canWriteIn(const std::string& path) override;
  [[nodiscard]] SaveOutcome SavePicture(const Surface& picture, const std::string& path) override;
  void ClipboardClear() override;
  bool ClipboardSetData(const Surface& image) override;
  void endProgram(int exitCode) override;
  [[nodiscard]] bool ending() const override { return ending_; }

 protected:
  MenuItem* showPopup(Menu& menu) override;

 private:
  void onActivated(QSystemTrayIcon::ActivationReason reason);
  void onHostMenuChoice(MenuItem& item);

  [[nodiscard]] ShmScreenGrabber* grabber();
  // The whole desktop's size in pixels, as the server last said.
  [[nodiscard]] Point desktopPixels() const;

  WindowRegistry registry_;
  UnmanagedWindowsBelowDialogs belowDialogs_;
  std::unique_ptr<ShmScreenGrabber> grabber_;
  bool grabberProbed_ = false;
  mutable std::optional<Point> desktopPixels_;
  std::optional<Surface> prepared_;
  bool preparing_ = false;
  std::unique_ptr<QtScreenSource> screen_;
  // Where the X server does not see the screen (a Wayland session), the portal reads it.
  bool usePortal_ = false;
  PortalScreenshot portal_;
  // The portal refused: it is asked again while the message about it is up.
  bool askPortalAgain_ = false;
  std::unique_ptr<PointerQuery> pointer_;
  std::unique_ptr<QSystemTrayIcon> tray_;
  Menu* iconMenu_ = nullptr;
  std::unique_ptr<HostDrawnMenu> hostMenu_;
  NOTIFYICONDATA record_{};
  bool waitCursor_ = false;
  bool traceMenus_ = false;
  bool ending_ = false;
};

}  // namespace kepa
