// A front end for tests, in plain C++: every role of the Desktop in one object, with a synthetic
// screen, a settable cursor, a
// recorded notification icon, scripted popup-menu choices and dialog answers, recorded calls,
// messages, files and program end; and the program's windows as the fakes of fake_windows.h.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/window_factories.h"
#include "core/surface.h"
#include "frontends/fake/fake_windows.h"
#include "runtime/desktop.h"

namespace kepa {

// The state of one item of a popup menu at the moment it was shown.
struct MenuSnapshot {
  std::string name;
  int index = MenuItem::kNoIndex;
  std::string caption;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  std::vector<MenuSnapshot> items;
};

class FakeDesktop final : public Screen,
                          public Shell,
                          public ProgramLife,
                          public Dialogs,
                          public Files {
 public:
  // A 1024 x 768 pixel screen at 15 twips per pixel, filled black.
  FakeDesktop();

  // --- what tests set ---
  Surface screen{1024, 768};
  float twipsPerPixel = 15.0F;
  // The monitors; none means one primary monitor showing the whole screen.
  std::vector<Monitor> monitorLayout;
  Point cursor;
  bool notificationAreaAvailable = true;
  // Runs while a modal window is shown, as the user would act in it; the window stays shown
  // as the hook leaves it.
  std::function<void(FormWindow& window)> whileModal;
  // Runs while start-up waits for the notification area (as a signal handler might).
  std::function<void()> whileWaiting;
  // Runs once while the screen is read (as a desktop that asks the user first may take long).
  std::function<void()> whileReading;
  // Runs while a popup menu is shown, before its choice is made.
  std::function<void()> whilePopup;
  // Names of the items the next popups choose, in order; an empty string (or an empty
  // queue) dismisses the popup.
  std::deque<std::string> menuChoices;

  // The answers of the next save dialogs, in order: a path, or nothing to cancel (an empty
  // queue cancels too).
  std::deque<std::optional<std::string>> saveAnswers;
  std::string appPath = "/usr/local/bin";
  std::string picturesFolder = "/root/Pictures";
  bool appPathWritable = true;
  // Paths that name folders, and links.
  std::set<std::string> folders;
  std::set<std::string> links;
  // Why the next saves fail, in order; an empty queue lets them succeed.
  std::deque<std::string> saveFailures;
  bool clipboardRefuses = false;  // the clipboard cannot be written
  // Why the screen cannot be read now; empty: it can.
  std::string screenUnreadable;

  // --- what tests read ---
  std::vector<SaveDialogRequest> saveDialogs;
  std::optional<Surface> clipboard;  // the image on the clipboard, if any
  // The files saved, by path: their bytes.
  std::map<std::string, std::vector<std::uint8_t>> files;

  std::vector<std::string> calls;
  std::vector<MenuSnapshot> popups;
  std::vector<std::string> messages;
  std::optional<NOTIFYICONDATA> icon;  // the record of the icon while one is shown
  std::optional<int> exitCode;
  MousePointer mousePointer = MousePointer::Default;

  // A mouse event on the icon, as the shell reports it to the record's window.
  void sendIconEvent(std::uint32_t mouseMessage) const;
  // The window of a handle, while it is loaded; nullptr for any other handle.
  [[nodiscard]] FormWindow* window(std::uint32_t handle) const;
  // The pixels of an icon handle; nullptr for an unknown one.
  [[nodiscard]] const Surface* iconOf(std::uint32_t handle) const;

  // Every role, for the program's code.
  operator Desktop() { return {*this, *this, *this, *this, *this}; }  // NOLINT: implicit
  // The time paused, in all.
  std::chrono::milliseconds paused{0};

  // The program's windows, made as fakes on this desktop.
  [[nodiscard]] WindowFactories windows();
  // The windows unloaded and not yet destroyed: they go at the next DoEvents.
  [[nodiscard]] std::size_t unloadedWindows() const { return unloaded_.size(); }
  // Called by the fake windows as they are made and unloaded.
  void opened(FormWindow& window);
  void unloaded(FormWindow& window);

  [[nodiscard]] Point screenPixels() const override { return {screen.width(), screen.height()}; }
  [[nodiscard]] float twipsPerPixelX() const override { return twipsPerPixel; }
  [[nodiscard]] float twipsPerPixelY() const override { return twipsPerPixel; }
  void setMousePointer(MousePointer pointer) override;
  [[nodiscard]] std::vector<Monitor> monitors() const override;

  [[nodiscard]] DeviceContext GetDC() override;
  void ReleaseDC(DeviceContext& screen) override;
  [[nodiscard]] std::string screenProblem() const override { return screenUnreadable; }
  [[nodiscard]] Point GetCursorPos() override { return cursor; }

  [[nodiscard]] std::uint32_t windowHandle(FormWindow& window) override;
  [[nodiscard]] std::uint32_t iconHandle(const Surface& icon) override;

  [[nodiscard]] bool notificationAreaShown() override;
  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) override;
  bool SetForegroundWindow(std::uint32_t hWnd) override;
  bool SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                    std::int32_t y, std::int32_t cx, std::int32_t cy,
                    std::uint32_t wFlags) override;
  void DoEvents() override;
  void pause(std::chrono::milliseconds time) override;

  void showMessage(MessageKind kind, const std::string& title, const std::string& text) override;
  void showModal(FormWindow& window, FormWindow* owner) override;
  bool bringModalWindowForward() override;

  [[nodiscard]] std::string AppPath() override;
  [[nodiscard]] std::string picturesPath() override;
  [[nodiscard]] bool canWriteIn(const std::string& path) override;
  [[nodiscard]] bool isFolder(const std::string& path) override;
  [[nodiscard]] bool isLink(const std::string& path) override { return links.contains(path); }
  void ClipboardClear() override;
  bool ClipboardSetData(const Surface& image) override;
  void endProgram(int exitCode) override;
  [[nodiscard]] bool ending() const override { return exitCode.has_value(); }

 protected:
  PopupOutcome showPopup(Menu& menu) override;
  [[nodiscard]] std::optional<std::string> runSaveDialog(const SaveDialogRequest& request) override;
  [[nodiscard]] SaveOutcome writeBitmap(const std::vector<std::uint8_t>& bytes,
                                        const std::string& path) override;

 private:
  std::set<FormWindow*> loaded_;
  std::vector<std::unique_ptr<FormWindow>> unloaded_;
  std::map<std::uint32_t, FormWindow*> handles_;
  std::map<std::uint32_t, Surface> icons_;
  std::uint32_t nextHandle_ = 0x100;
  int modalDepth_ = 0;  // modal windows up (inside whileModal)
  std::unique_ptr<PixelSource> screenSource_;
};

}  // namespace kepa
