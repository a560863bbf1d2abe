// The notification icon and the windows' places on Qt: QSystemTrayIcon (an XEmbed tray or a
// StatusNotifierItem host, which may draw the icon's menu itself), handles of Qt windows and
// icons, raising and SetWindowPos.
#pragma once

#include <memory>

#include <QSystemTrayIcon>

#include "frontends/qt/host_menu.h"
#include "frontends/qt/window_registry.h"
#include "runtime/program_life.h"
#include "runtime/shell.h"

namespace kepa {

class QtShell final : public Shell {
 public:
  // A choice in a host-drawn menu runs only while `life` is not ending.
  explicit QtShell(const ProgramLife& life);
  ~QtShell() override;

  [[nodiscard]] std::uint32_t windowHandle(FormWindow& window) override;
  [[nodiscard]] std::uint32_t iconHandle(const Surface& icon) override;
  [[nodiscard]] bool notificationAreaShown() override;
  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) override;
  void setNotifyIconMenu(Menu& menu) override;
  bool SetForegroundWindow(std::uint32_t hWnd) override;
  bool SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                    std::int32_t y, std::int32_t cx, std::int32_t cy,
                    std::uint32_t wFlags) override;

  // True when the tray host draws `menu`: a popup of it is the host's to show.
  [[nodiscard]] bool hostDraws(const Menu& menu) const;

 private:
  void onActivated(QSystemTrayIcon::ActivationReason reason);
  void onHostMenuChoice(MenuItem& item);

  const ProgramLife& life_;
  WindowRegistry registry_;
  std::unique_ptr<QSystemTrayIcon> tray_;
  Menu* iconMenu_ = nullptr;
  std::unique_ptr<HostDrawnMenu> hostMenu_;
  NOTIFYICONDATA record_{};
};

}  // namespace kepa
