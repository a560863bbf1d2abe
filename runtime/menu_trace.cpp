#include "runtime/menu_trace.h"

#include <cstdio>
#include <cstdlib>

namespace kepa {

namespace {

void trace(const char* what, const std::string& text) {
  static const bool tracing = std::getenv("KEPA_TRACE_MENUS") != nullptr;
  if (!tracing) return;
  std::fprintf(stderr, "kepa: %s %s\n", what, text.c_str());
  std::fflush(stderr);
}

}  // namespace

void traceMenuShown(const MenuItem& menu) {
  trace("menu", menuTrace(menu));
}

void traceMenuChoice(const MenuItem* chosen) {
  trace("chosen", chosen != nullptr ? chosen->caption() : "-");
}

void traceSaveDialog(const std::string& folder) {
  trace("save dialog", folder);
}

}  // namespace kepa
