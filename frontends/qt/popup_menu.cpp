#include "frontends/qt/popup_menu.h"

#include <QAction>
#include <QMenu>

namespace kepa {

void buildMenu(QMenu& menu, MenuItem& model, std::map<QAction*, MenuItem*>& actions) {
  for (const auto& item : model.items()) {
    if (!item->visible) continue;
    if (item->isSeparator()) {
      menu.addSeparator();
      continue;
    }
    const QString caption = QString::fromStdString(item->caption());
    if (!item->items().empty()) {
      QMenu* sub = menu.addMenu(caption);
      sub->setEnabled(item->enabled);
      buildMenu(*sub, *item, actions);
      continue;
    }
    QAction* action = menu.addAction(caption);
    action->setEnabled(item->enabled);
    if (item->checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    actions.emplace(action, item.get());
  }
}

}  // namespace kepa
