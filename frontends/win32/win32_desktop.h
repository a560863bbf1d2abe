// The Desktop on Windows itself: the screen through GDI, the notification icon through
// Shell_NotifyIconW, popup menus, message boxes, the common save dialog, files and the
// clipboard through the Windows API.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "frontends/win32/native_window.h"
#include "frontends/win32/screen_source.h"
#include "runtime/desktop.h"

namespace kepa {

class Win32Desktop final : public Screen,
                           public Shell,
                           public ProgramLife,
                           public Dialogs,
                           public Files {
 public:
  Win32Desktop();
  ~Win32Desktop() override;

  operator Desktop() { return {*this, *this, *this, *this, *this}; }  // NOLINT: implicit

  [[nodiscard]] Point screenPixels() const override;
  [[nodiscard]] float twipsPerPixelX() const override { return twipsPerPixel_; }
  [[nodiscard]] float twipsPerPixelY() const override { return twipsPerPixel_; }
  void setMousePointer(MousePointer pointer) override;
  [[nodiscard]] std::vector<Monitor> monitors() const override;
  // Where the desktop's (0, 0) lies on the screen's coordinates.
  [[nodiscard]] Point origin() const { return {screen_.x, screen_.y}; }

  [[nodiscard]] Surface createScreenImage(std::int32_t width, std::int32_t height) override;
  [[nodiscard]] DeviceContext GetDC() override;
  void ReleaseDC(DeviceContext& screen) override;
  [[nodiscard]] Point GetCursorPos() override;

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
  [[nodiscard]] bool isLink(const std::string& path) override;
  void ClipboardClear() override;
  bool ClipboardSetData(const Surface& image) override;
  void endProgram(int exitCode) override;
  [[nodiscard]] bool ending() const override { return ending_; }

  // Runs the program's message loop until endProgram; its exit code.
  int run();
  // What a later start of the program asks of this one (`capture`: スタ－トキャプチャ－); it
  // finds this one by its hidden window, of the class kOwnerClass.
  std::function<void(bool capture)> requested;
  static constexpr const wchar_t* kOwnerClass = L"KepaOwner";
  static constexpr UINT kRequest = WM_APP + 2;

 protected:
  PopupOutcome showPopup(Menu& menu) override;
  [[nodiscard]] std::optional<std::string> runSaveDialog(const SaveDialogRequest& request) override;
  [[nodiscard]] SaveOutcome writeBitmap(const std::vector<std::uint8_t>& bytes,
                                        const std::string& path) override;

 private:
  class Owner;
  [[nodiscard]] HWND windowOf(std::uint32_t handle) const;
  // The hidden window that owns menus, message boxes and the clipboard.
  [[nodiscard]] HWND ownerWindow() const;
  // The notification icon again, after the taskbar came back (explorer restarted).
  void taskbarCreated();

  float twipsPerPixel_;
  Rect screen_;
  std::unique_ptr<Owner> owner_;  // a hidden window: menus, message boxes, the clipboard
  std::unique_ptr<ScreenSource> screenSource_;
  std::map<std::uint32_t, HWND> windows_;
  std::map<std::uint32_t, HICON> icons_;
  std::uint32_t nextHandle_ = 0x100;
  std::optional<NOTIFYICONDATA> icon_;
  std::vector<HWND> modals_;  // the modal windows up, innermost last
  bool ending_ = false;
  int exitCode_ = 0;
};

}  // namespace kepa
