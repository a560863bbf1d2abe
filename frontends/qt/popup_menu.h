// A menu model as Qt shows it: a QMenu of its visible items.
#pragma once

#include <map>

#include "runtime/menu.h"

class QAction;
class QMenu;

namespace kepa {

// Builds the visible items of `model` into `menu`, remembering which action is which item.
void buildMenu(QMenu& menu, MenuItem& model, std::map<QAction*, MenuItem*>& actions);

}  // namespace kepa
