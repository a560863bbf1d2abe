// The notification icon's menu where the tray host draws it (a StatusNotifierItem host, as
// KDE Plasma's panel and waybar are): the host asks for the menu's items on the right press,
// shows the menu itself and tells the program only what was chosen, if anything (some hosts
// never say that a menu was dismissed). The icon's handlers run as for an icon whose presses
// reach the program: the host's opening of the menu stands for the right press, the
// handler's popup of this menu returns at once with nothing chosen, and a choice made in the
// host's menu later runs the chosen item's click handler.
#pragma once

#include <functional>
#include <map>
#include <string>

#include <QMenu>
#include <QObject>

#include "runtime/menu.h"

class QAction;
class QSystemTrayIcon;

namespace kepa {

class HostDrawnMenu final : public QObject {
 public:
  // Exports `model` as the context menu of `icon`. `opened` runs when the host opens it,
  // `chosen` when an item was chosen in it.
  HostDrawnMenu(QSystemTrayIcon& icon, Menu& model, std::function<void()> opened,
                std::function<void(MenuItem&)> chosen);
  HostDrawnMenu(const HostDrawnMenu&) = delete;
  HostDrawnMenu& operator=(const HostDrawnMenu&) = delete;
  ~HostDrawnMenu() override = default;

  // True when `menu` is the one the host draws.
  [[nodiscard]] bool draws(const Menu& menu) const { return &menu == &model_; }

  // True when a StatusNotifierItem host, not an XEmbed tray, shows the program's icons: the
  // session bus has a watcher with a host registered, which is what Qt's tray icon asks too.
  [[nodiscard]] static bool hostDrawsMenus();

 private:
  void exportModel();

  Menu& model_;
  QMenu menu_;
  std::map<QAction*, MenuItem*> actions_;
  std::string exported_;
};

}  // namespace kepa
