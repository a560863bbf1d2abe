#include "frontends/qt/host_menu.h"

#include <utility>

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QSystemTrayIcon>

#include "frontends/qt/popup_menu.h"

namespace kepa {

HostDrawnMenu::HostDrawnMenu(QSystemTrayIcon& icon, Menu& model, std::function<void()> opened,
                             std::function<void(MenuItem&)> chosen)
    : model_(model) {
  exportModel();
  connect(&menu_, &QMenu::aboutToShow, this, [this, opened = std::move(opened)] {
    // The host reads the items after it has told of the opening: they are the model's as
    // they are now.
    exportModel();
    opened();
  });
  connect(&menu_, &QMenu::triggered, this, [this, chosen = std::move(chosen)](QAction* action) {
    const auto found = actions_.find(action);
    if (found != actions_.end()) chosen(*found->second);
  });
  icon.setContextMenu(&menu_);
}

bool HostDrawnMenu::hostDrawsMenus() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
  QDBusInterface properties(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
  return properties.property("IsStatusNotifierHostRegistered").toBool();
}

void HostDrawnMenu::exportModel() {
  // Rebuilt only when the model shows something else: a rebuild gives the host new items to
  // read, perhaps while it still reads the old ones.
  std::string trace = menuTrace(model_);
  if (trace == exported_) return;
  exported_ = std::move(trace);
  menu_.clear();
  actions_.clear();
  buildMenu(menu_, model_, actions_);
}

}  // namespace kepa
