// Menus and dialogs on Qt: QMenu popups (or the tray host's own menu), message boxes, modal
// windows owned by the window that waits for them, and Qt's save-file dialog.
#pragma once

#include "frontends/qt/qt_screen.h"
#include "frontends/qt/qt_shell.h"
#include "frontends/qt/unmanaged_windows.h"
#include "runtime/dialogs.h"

namespace kepa {

class QtDialogs final : public Dialogs {
 public:
  // `shell` says which menu the tray host draws; `screen` hears of every message shown.
  QtDialogs(const ProgramLife& life, const QtShell& shell, QtScreen& screen);

  void showMessage(MessageKind kind, const std::string& title, const std::string& text) override;
  void showModal(FormWindow& window, FormWindow* owner) override;
  bool bringModalWindowForward() override;

 protected:
  PopupOutcome showPopup(Menu& menu) override;
  [[nodiscard]] std::optional<std::string> runSaveDialog(const SaveDialogRequest& request) override;

 private:
  const QtShell& shell_;
  QtScreen& screen_;
  // The frozen screen and the magnifier stay just beneath the dialogs.
  UnmanagedWindowsBelowDialogs belowDialogs_;
};

}  // namespace kepa
