// Popup menus, messages, modal windows and the save-file dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/form_window.h"
#include "runtime/menu.h"
#include "runtime/program_life.h"

namespace kepa {

enum class MessageKind { Information, Critical };

// What a save-file dialog is asked to show: the file types as (description, pattern) pairs,
// the folder it opens on, the proposed name and the dialog's flags.
struct SaveDialogRequest {
  std::vector<std::pair<std::string, std::string>> filters;
  std::string directory;
  std::string fileName;
  std::int32_t flags = 0;
  // The window the dialog belongs to: only it waits for the dialog (nullptr: the whole
  // program), so that the tray stays usable.
  FormWindow* owner = nullptr;
};

// What became of a popup: the item chosen in it (nullptr: it was dismissed), or the tray host
// shows it, and a choice there comes later.
struct PopupOutcome {
  MenuItem* chosen = nullptr;
  bool handedToHost = false;
};

class Dialogs {
 public:
  // A chosen item's handler runs only while `life` is not ending.
  explicit Dialogs(const ProgramLife& life) : life_(life) {}
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;
  virtual ~Dialogs() = default;

  // Shows the menu as a popup at the cursor and blocks until it closes; then the chosen
  // item's click handler runs (nothing runs when the menu was dismissed). Both go to
  // the menu trace.
  void PopupMenu(Menu& menu);
  // True while a popup menu is up.
  [[nodiscard]] bool popupShown() const { return popupsShown_ > 0; }

  virtual void showMessage(MessageKind kind, const std::string& title, const std::string& text) = 0;
  // Shows `window` modal to `owner` (nullptr: to the whole program) and returns once it has
  // been hidden or destroyed. The tray stays usable while it is up.
  virtual void showModal(FormWindow& window, FormWindow* owner) = 0;
  // Brings a modal window of the program that is up (a dialog, a message box) to the front;
  // false when there is none.
  virtual bool bringModalWindowForward() = 0;
  // Shows a modal save-file dialog; the chosen path, or nothing when it was cancelled.
  [[nodiscard]] std::optional<std::string> showSaveDialog(const SaveDialogRequest& request);

 protected:
  [[nodiscard]] const ProgramLife& life() const { return life_; }
  // Shows the popup and returns once it has closed.
  virtual PopupOutcome showPopup(Menu& menu) = 0;
  [[nodiscard]] virtual std::optional<std::string> runSaveDialog(
      const SaveDialogRequest& request) = 0;

 private:
  const ProgramLife& life_;
  int popupsShown_ = 0;
};

}  // namespace kepa
