#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"

namespace kepa {

namespace {

// A menu model as a Windows popup menu of its visible items; the commands number the items.
HMENU buildMenu(const MenuItem& model, std::vector<MenuItem*>& commands) {
  HMENU menu = CreatePopupMenu();
  for (const auto& item : model.items()) {
    if (!item->visible) continue;
    if (item->isSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = (item->enabled ? 0U : MF_GRAYED) | (item->checked ? MF_CHECKED : 0U);
    if (!item->items().empty()) {
      AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(buildMenu(*item, commands)),
                  wideOf(item->caption()).c_str());
      continue;
    }
    commands.push_back(item.get());
    AppendMenuW(menu, MF_STRING | state, commands.size(), wideOf(item->caption()).c_str());
  }
  return menu;
}

}  // namespace

PopupOutcome Win32Desktop::showPopup(Menu& menu) {
  std::vector<MenuItem*> commands;
  HMENU popup = buildMenu(menu, commands);
  POINT at{};
  ::GetCursorPos(&at);
  // The menu belongs to the program's hidden window, in the foreground (a menu whose window is
  // not would not close on a click elsewhere); the window under it keeps the keyboard focus.
  HWND owner = ownerWindow();
  ::SetForegroundWindow(owner);
  const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
      popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(popup);
  return {chosen >= 1 && chosen <= commands.size() ? commands[chosen - 1] : nullptr};
}

void Win32Desktop::showMessage(MessageKind kind, const std::string& title,
                               const std::string& text) {
  HWND owner = modals_.empty() ? nullptr : modals_.back();
  MessageBoxW(owner, wideOf(text).c_str(), wideOf(title).c_str(),
              (kind == MessageKind::Critical ? MB_ICONERROR : MB_ICONINFORMATION) | MB_OK |
                  MB_SETFOREGROUND | MB_TOPMOST);
}

void Win32Desktop::showModal(FormWindow& form, FormWindow* owner) {
  auto* window = dynamic_cast<NativeWindow*>(&form);
  auto* ownerWindow = dynamic_cast<NativeWindow*>(owner);
  if (window == nullptr) return;
  HWND shown = window->hwnd();
  HWND blocked = ownerWindow == nullptr ? nullptr : ownerWindow->hwnd();
  // Only the owner waits for the dialog: the tray icon's window stays usable.
  if (blocked != nullptr) {
    EnableWindow(blocked, FALSE);
    SetWindowLongPtrW(shown, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(blocked));
  }
  modals_.push_back(shown);
  ::SetWindowPos(shown, win::kTopmost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(shown);
  MSG message;
  while (!ending_ && IsWindow(shown) && IsWindowVisible(shown) &&
         GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(shown, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modals_.pop_back();
  if (blocked == nullptr || !IsWindow(blocked)) return;
  EnableWindow(blocked, TRUE);
  // The owner comes back to the front as the dialog goes: the program's other windows that
  // stay on top (the magnifier over the frozen screen) go back above it.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM owner) -> BOOL {
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        if (window != reinterpret_cast<HWND>(owner) && IsWindowVisible(window) &&
            (exStyle & WS_EX_TOPMOST) != 0) {
          ::SetWindowPos(window, win::kTopmost, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(blocked));
}

bool Win32Desktop::bringModalWindowForward() {
  if (modals_.empty()) return false;
  ::SetForegroundWindow(modals_.back());
  return true;
}

std::optional<std::string> Win32Desktop::runSaveDialog(const SaveDialogRequest& request) {
  std::wstring filter;
  for (const auto& [description, pattern] : request.filters)
    filter += wideOf(description) + L'\0' + wideOf(pattern) + L'\0';
  filter += L'\0';
  std::wstring file = wideOf(request.fileName);
  file.resize(MAX_PATH * 4, L'\0');
  const std::wstring folder = wideOf(request.directory);
  auto* owner = dynamic_cast<NativeWindow*>(request.owner);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner == nullptr ? ownerWindow() : owner->hwnd();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = L"名前を付けて保存";
  dialog.Flags = static_cast<DWORD>(request.flags) | OFN_EXPLORER | OFN_PATHMUSTEXIST;
  if (dialog.hwndOwner != nullptr) modals_.push_back(dialog.hwndOwner);
  const bool chosen = GetSaveFileNameW(&dialog) != FALSE;
  if (dialog.hwndOwner != nullptr) modals_.pop_back();
  if (!chosen) return std::nullopt;
  return utf8Of(file.c_str());
}

}  // namespace kepa
