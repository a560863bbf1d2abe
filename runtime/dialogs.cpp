#include "runtime/dialogs.h"

#include "runtime/menu_trace.h"

namespace kepa {

void Dialogs::PopupMenu(Menu& menu) {
  traceMenuShown(menu);
  ++popupsShown_;
  const PopupOutcome outcome = showPopup(menu);
  --popupsShown_;
  // A menu that the tray host draws reports its choice later, and traces it then.
  if (outcome.handedToHost) return;
  traceMenuChoice(outcome.chosen);
  if (outcome.chosen != nullptr && !life_.ending()) outcome.chosen->click();
}

std::optional<std::string> Dialogs::showSaveDialog(const SaveDialogRequest& request) {
  traceSaveDialog(request.directory);
  return runSaveDialog(request);
}

}  // namespace kepa
