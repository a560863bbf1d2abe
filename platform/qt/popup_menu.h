// A menu model as Qt shows it: a QMenu of its visible items, and the line that traces it.
#pragma once

#include <map>
#include <string>

#include "platform/menu.h"

class QAction;
class QMenu;

namespace kepa {

// Builds the visible items of `model` into `menu`, remembering which action is which item.
void buildMenu(QMenu& menu, MenuItem& model, std::map<QAction*, MenuItem*>& actions);

// "Caption[item|item(disabled)|sub[...]]": what a popup of `model` shows, for the trace of
// KEPA_TRACE_MENUS.
[[nodiscard]] std::string menuTrace(const MenuItem& model);

}  // namespace kepa
