// Everything the windows need of the outside world, behind one interface: the screen, its
// device context and the cursor, window and icon handles, the notification icon, popup
// menus, dialogs, files, the clipboard and the end of the program. QtDesktop is the real one;
// tests use FakeDesktop. The windows' code reaches the system only through it and through
// the faces of its own windows.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/device_context.h"
#include "runtime/form_window.h"
#include "core/geometry.h"
#include "runtime/menu.h"
#include "core/monitors.h"
#include "runtime/notify_icon_data.h"
#include "core/surface.h"

namespace kepa {

// Screen.MousePointer values.
enum class MousePointer : int { Default = 0, Hourglass = 11 };

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

struct SaveOutcome {
  bool saved = false;
  std::string reason;  // why it was not saved, in Japanese, with the system's own words
};

class Desktop {
 public:
  Desktop() = default;
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;
  virtual ~Desktop() = default;

  // The screen object: the size of the whole desktop (the X screen, every monitor on it) in
  // twips, and twips per pixel, 1440 / (96 x the desktop's scale): 15 at 100 %, 7.5 at 200 %.
  // One pixel is always one device pixel of the screen.
  [[nodiscard]] virtual float screenWidthTwips() const = 0;
  [[nodiscard]] virtual float screenHeightTwips() const = 0;
  [[nodiscard]] virtual float twipsPerPixelX() const = 0;
  [[nodiscard]] virtual float twipsPerPixelY() const = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  // The monitors, as they are now, in pixels of the whole desktop.
  [[nodiscard]] virtual std::vector<Monitor> monitors() const = 0;

  // A surface for a window's persistent image of the screen's size, in memory that a grab of
  // the screen can write straight into where the platform has such memory.
  [[nodiscard]] virtual Surface createScreenImage(std::int32_t width, std::int32_t height) {
    return Surface(width, height);
  }
  // A screen image of width x height made ready ahead of a capture that may come (while the
  // tray menu is open, during the user's choice), so that createScreenImage then hands it over
  // at once; released unused by releasePreparedScreenImage.
  virtual void prepareScreenImage(std::int32_t /*width*/, std::int32_t /*height*/) {}
  virtual void releasePreparedScreenImage() {}
  // GetDC with no window: a read-only context on the live screen, valid until ReleaseDC. A
  // null context where the screen cannot be read now; screenProblem then says why.
  [[nodiscard]] virtual DeviceContext GetDC() = 0;
  // Why the last GetDC gave a null context, in Japanese for the user.
  [[nodiscard]] virtual std::string screenProblem() const { return {}; }
  virtual void ReleaseDC(DeviceContext& screen) = 0;
  [[nodiscard]] virtual Point GetCursorPos() = 0;

  // Handles: hWnd of a window (the target of icon callbacks) and hIcon of an icon's pixels.
  [[nodiscard]] virtual std::uint32_t windowHandle(FormWindow& window) = 0;
  [[nodiscard]] virtual std::uint32_t iconHandle(const Surface& icon) = 0;

  // Waits up to `timeout` for a notification area (tray host) to appear.
  [[nodiscard]] virtual bool waitForNotificationArea(std::chrono::milliseconds timeout) = 0;
  // NIM_ADD shows the icon of hIcon with the tip szTip (up to its NUL); its mouse events then
  // arrive at the window hWnd as mouse moves whose x, in pixels, is the message number
  // (WM_LBUTTONDOWN, WM_RBUTTONDOWN, ...). NIM_DELETE removes it.
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) = 0;
  // The menu that the icon's window pops up for the right button, given before NIM_ADD.
  // Where the tray host draws an icon's menu itself and sends no press (a StatusNotifierItem
  // host), it is handed to the host: the host's opening of it arrives as WM_RBUTTONDOWN, the
  // PopupMenu of it then returns at once with nothing chosen, and a choice in the host's
  // menu runs the item's click handler afterwards.
  virtual void setNotifyIconMenu(Menu& /*menu*/) {}

  virtual bool SetForegroundWindow(std::uint32_t hWnd) = 0;
  // SetWindowPos on the window hWnd, with the insert-after values and flags of window_pos.h;
  // false for an unknown handle.
  virtual bool SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                            std::int32_t y, std::int32_t cx, std::int32_t cy,
                            std::uint32_t wFlags) = 0;
  // Runs the pending events once.
  virtual void DoEvents() = 0;

  // Shows the menu as a popup at the cursor and blocks until it closes; then the chosen
  // item's click handler runs (nothing runs when the menu was dismissed).
  void PopupMenu(Menu& menu) {
    ++popupsShown_;
    MenuItem* chosen = showPopup(menu);
    --popupsShown_;
    if (chosen != nullptr && !ending()) chosen->click();
  }
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
  [[nodiscard]] virtual std::optional<std::string> showSaveDialog(
      const SaveDialogRequest& request) = 0;
  // App.Path: the folder of the program's executable file.
  [[nodiscard]] virtual std::string AppPath() = 0;
  // The user's own folder for pictures (their home folder where there is none).
  [[nodiscard]] virtual std::string picturesPath() = 0;
  // Whether `path` is a folder in which this user may create files.
  [[nodiscard]] virtual bool canWriteIn(const std::string& path) = 0;
  // SavePicture: the picture written as a Windows bitmap (24 bits per pixel) whatever the
  // file's name. An existing regular file is only ever replaced by a complete new one and is
  // left byte for byte as it was on any failure; a device or other special file is written to
  // directly. A picture without pixels, an empty name and a folder are refused before
  // anything is written.
  [[nodiscard]] virtual SaveOutcome SavePicture(const Surface& picture,
                                                const std::string& path) = 0;

  // Clipboard.Clear and Clipboard.SetData with a picture. The two make one replacement of
  // the clipboard's contents: SetData gives it exactly the image's pixels as a bitmap, or,
  // where the clipboard cannot take it, returns false and the clipboard keeps what it held.
  virtual void ClipboardClear() = 0;
  virtual bool ClipboardSetData(const Surface& image) = 0;

  // Ends the program with exitCode once the running handler returns; no further events run.
  virtual void endProgram(int exitCode) = 0;
  // True once endProgram was called: a handler that waited in a dialog or a menu while the
  // program was ended goes no further.
  [[nodiscard]] virtual bool ending() const = 0;

 protected:
  // Shows the popup and returns the chosen item, or nullptr when it was dismissed.
  virtual MenuItem* showPopup(Menu& menu) = 0;

 private:
  int popupsShown_ = 0;
};

}  // namespace kepa
