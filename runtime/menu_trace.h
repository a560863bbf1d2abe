// KEPA_TRACE_MENUS: with it set, every popup menu as shown, the item chosen in it and every
// save dialog's folder are written on standard error, a line each, for tools that drive the
// program from outside.
#pragma once

#include <string>

#include "runtime/menu.h"

namespace kepa {

void traceMenuShown(const MenuItem& menu);
// `chosen` is nullptr when the menu was dismissed.
void traceMenuChoice(const MenuItem* chosen);
void traceSaveDialog(const std::string& folder);

}  // namespace kepa
