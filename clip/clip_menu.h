// The clipping menu ClipMenu: its items, separators, submenus and control-array indexes.
#pragma once

#include "runtime/menu.h"

namespace kepa {

// Fills `menu` (the top-level "クリッピングメニュ－") with its items.
void buildClipMenu(Menu& menu);

}  // namespace kepa
