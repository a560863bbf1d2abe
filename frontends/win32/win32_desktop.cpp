#include "frontends/win32/win32_desktop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/bmp.h"
#include "core/display_scale.h"
#include "frontends/win32/dib_section.h"
#include "frontends/win32/wide_text.h"

namespace kepa {

namespace {

// Windows' own words for an error.
std::string systemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring reason =
      length == 0 ? L"error " + std::to_wstring(error) : std::wstring(text, length);
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.'))
    reason.pop_back();
  return utf8Of(reason);
}

SaveOutcome failed(const std::string& what) {
  return {false, what + "（" + systemReason(GetLastError()) + "）。"};
}

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

HICON iconOf(const Surface& pixels) {
  BITMAPINFO info = topDownInfo(pixels.width(), pixels.height());
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  std::memcpy(bits, pixels.data(),
              pixels.bytesPerLine() * static_cast<std::size_t>(pixels.height()));
  std::vector<BYTE> opaque(
      static_cast<std::size_t>((pixels.width() + 15) / 16 * 2 * pixels.height()), 0);
  HBITMAP mask = CreateBitmap(pixels.width(), pixels.height(), 1, 1, opaque.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  HICON handle = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(colour);
  return handle;
}

}  // namespace

class Win32Desktop::Owner final : public NativeWindow {
 public:
  explicit Owner(Win32Desktop& desktop)
      : desktop_(desktop), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    create(kOwnerClass, WS_EX_TOOLWINDOW, WS_POPUP, "KEPA", {0, 0, 0, 0});
  }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == taskbarCreated_) {
      desktop_.taskbarCreated();
      return 0;
    }
    if (message == kRequest) {
      if (desktop_.requested) desktop_.requested(wParam != 0);
      return 0;
    }
    return NativeWindow::handle(message, wParam, lParam);
  }

 private:
  Win32Desktop& desktop_;
  UINT taskbarCreated_;
};

Win32Desktop::Win32Desktop()
    : screen_(virtualScreen()),
      owner_(std::make_unique<Owner>(*this)),
      traceMenus_(std::getenv("KEPA_TRACE_MENUS") != nullptr) {
  HDC screen = ::GetDC(nullptr);
  twipsPerPixel_ = twipsPerPixel(GetDeviceCaps(screen, LOGPIXELSX));
  ::ReleaseDC(nullptr, screen);
}

Win32Desktop::~Win32Desktop() {
  for (const auto& [handle, icon] : icons_)
    DestroyIcon(icon);
}

float Win32Desktop::screenWidthTwips() const {
  return static_cast<float>(virtualScreen().width) * twipsPerPixel_;
}

float Win32Desktop::screenHeightTwips() const {
  return static_cast<float>(virtualScreen().height) * twipsPerPixel_;
}

void Win32Desktop::setMousePointer(MousePointer pointer) {
  SetCursor(
      LoadCursorW(nullptr, MAKEINTRESOURCEW(pointer == MousePointer::Hourglass ? 32514 : 32512)));
}

std::vector<Monitor> Win32Desktop::monitors() const {
  std::vector<Monitor> found;
  const Rect desktop = virtualScreen();
  struct Context {
    std::vector<Monitor>* found;
    Rect desktop;
  } context{&found, desktop};
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        auto& c = *reinterpret_cast<Context*>(data);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        const RECT& r = info.rcMonitor;
        c.found->push_back(
            {{r.left - c.desktop.x, r.top - c.desktop.y, r.right - r.left, r.bottom - r.top},
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&context));
  if (found.empty()) found.push_back({{0, 0, desktop.width, desktop.height}, true});
  return found;
}

Surface Win32Desktop::createScreenImage(std::int32_t width, std::int32_t height) {
  return dibSurface(width, height);
}

DeviceContext Win32Desktop::GetDC() {
  screen_ = virtualScreen();
  screenSource_ = std::make_unique<ScreenSource>();
  return DeviceContext(*screenSource_);
}

void Win32Desktop::ReleaseDC(DeviceContext& screen) {
  screen = DeviceContext();
  screenSource_.reset();
}

Point Win32Desktop::GetCursorPos() {
  POINT at{};
  ::GetCursorPos(&at);
  return {at.x - screen_.x, at.y - screen_.y};
}

std::uint32_t Win32Desktop::windowHandle(FormWindow& window) {
  auto* native = dynamic_cast<NativeWindow*>(&window);
  if (native == nullptr) return 0;
  for (const auto& [handle, known] : windows_) {
    if (known == native->hwnd()) return handle;
  }
  const std::uint32_t handle = nextHandle_++;
  windows_.emplace(handle, native->hwnd());
  return handle;
}

HWND Win32Desktop::windowOf(std::uint32_t handle) const {
  const auto found = windows_.find(handle);
  return found != windows_.end() && IsWindow(found->second) ? found->second : nullptr;
}

std::uint32_t Win32Desktop::iconHandle(const Surface& icon) {
  const std::uint32_t handle = nextHandle_++;
  icons_.emplace(handle, iconOf(icon));
  return handle;
}

bool Win32Desktop::waitForNotificationArea(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) {
    if (ending_ || std::chrono::steady_clock::now() >= deadline) return false;
    DoEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

bool Win32Desktop::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = windowOf(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.uCallbackMessage = record.uCallbackMessage;
  const auto icon = icons_.find(record.hIcon);
  data.hIcon = icon == icons_.end() ? nullptr : icon->second;
  const std::wstring tip = wideOf(tipText(record));
  tip.copy(data.szTip, std::size(data.szTip) - 1);
  if (message == NIM_DELETE) {
    icon_.reset();
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
  }
  const bool done = Shell_NotifyIconW(message == NIM_ADD ? NIM_ADD : NIM_MODIFY, &data) != FALSE;
  if (done) icon_ = record;
  return done;
}

void Win32Desktop::taskbarCreated() {
  if (icon_) {
    const NOTIFYICONDATA record = *icon_;
    Shell_NotifyIconA(NIM_ADD, record);
  }
}

bool Win32Desktop::SetForegroundWindow(std::uint32_t hWnd) {
  HWND window = windowOf(hWnd);
  return window != nullptr && ::SetForegroundWindow(window) != FALSE;
}

bool Win32Desktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                                std::int32_t y, std::int32_t cx, std::int32_t cy,
                                std::uint32_t wFlags) {
  HWND window = windowOf(hWnd);
  if (window == nullptr) return false;
  return ::SetWindowPos(window, reinterpret_cast<HWND>(static_cast<INT_PTR>(hWndInsertAfter)),
                        x + screen_.x, y + screen_.y, cx, cy, wFlags) != FALSE;
}

void Win32Desktop::DoEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Win32Desktop::run() {
  MSG message;
  while (!ending_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return exitCode_;
}

MenuItem* Win32Desktop::showPopup(Menu& menu) {
  if (traceMenus_) {
    std::fprintf(stderr, "kepa: menu %s\n", menuTrace(menu).c_str());
    std::fflush(stderr);
  }
  std::vector<MenuItem*> commands;
  HMENU popup = buildMenu(menu, commands);
  POINT at{};
  ::GetCursorPos(&at);
  // The menu belongs to the program's hidden window, in the foreground (a menu whose window is
  // not would not close on a click elsewhere); the window under it keeps the keyboard focus.
  HWND owner = owner_->hwnd();
  ::SetForegroundWindow(owner);
  const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
      popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(popup);
  MenuItem* item = chosen >= 1 && chosen <= commands.size() ? commands[chosen - 1] : nullptr;
  if (traceMenus_) {
    std::fprintf(stderr, "kepa: chosen %s\n", item != nullptr ? item->caption().c_str() : "-");
    std::fflush(stderr);
  }
  return item;
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

std::optional<std::string> Win32Desktop::showSaveDialog(const SaveDialogRequest& request) {
  if (traceMenus_) {
    std::fprintf(stderr, "kepa: save dialog %s\n", request.directory.c_str());
    std::fflush(stderr);
  }
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
  dialog.hwndOwner = owner == nullptr ? owner_->hwnd() : owner->hwnd();
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

std::string Win32Desktop::AppPath() {
  std::wstring path(MAX_PATH * 4, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return utf8Of(path.substr(0, path.find_last_of(L"\\/")));
}

std::string Win32Desktop::picturesPath() {
  wchar_t* folder = nullptr;
  std::string path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &folder)))
    path = utf8Of(folder);
  CoTaskMemFree(folder);
  if (path.empty()) {
    if (const char* home = std::getenv("USERPROFILE")) path = home;
  }
  return path;
}

bool Win32Desktop::canWriteIn(const std::string& path) {
  const std::wstring probe = wideOf(path) + L"\\kepa-write-probe.tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

SaveOutcome Win32Desktop::SavePicture(const Surface& picture, const std::string& path) {
  if (picture.empty()) return {false, "画像の幅または高さが 0 のため、ビットマップにできません。"};
  if (path.empty()) return {false, "ファイル名がありません。"};
  const std::wstring target = wideOf(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return {false, "同じ名前のフォルダーがあります。"};
  const std::vector<std::uint8_t> bytes = encodeBmp(picture);
  // Written beside the file, then put in its place: an existing file is only ever replaced by
  // a complete new one.
  const std::wstring temporary = target + L".kepa-tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return failed("作成できません");
  DWORD written = 0;
  const bool wrote =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
      written == bytes.size() && FlushFileBuffers(file) != FALSE;
  const SaveOutcome writeFailure = wrote ? SaveOutcome{true, {}} : failed("書き込めません");
  CloseHandle(file);
  if (!wrote) {
    DeleteFileW(temporary.c_str());
    return writeFailure;
  }
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
    const SaveOutcome moveFailure = failed("書き込めません");
    DeleteFileW(temporary.c_str());
    return moveFailure;
  }
  return {true, {}};
}

void Win32Desktop::ClipboardClear() {
  // The clear takes effect with the SetData that follows, so that a SetData that fails leaves
  // the clipboard as it was.
}

bool Win32Desktop::ClipboardSetData(const Surface& image) {
  if (image.empty()) return false;
  // CF_DIB: the bitmap file without its 14-byte file header.
  const std::vector<std::uint8_t> bytes = encodeBmp(image);
  const std::size_t size = bytes.size() - 14;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return false;
  std::memcpy(GlobalLock(memory), bytes.data() + 14, size);
  GlobalUnlock(memory);
  if (OpenClipboard(owner_->hwnd()) == FALSE) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_DIB, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

void Win32Desktop::endProgram(int exitCode) {
  ending_ = true;
  exitCode_ = exitCode;
  PostQuitMessage(exitCode);
}

}  // namespace kepa
