// The Win32 front end's own rules, under wine with no display (its null graphics driver): the
// windows laid out as designed at 100 % and 200 %, and what their messages do.
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/bmp.h"
#include "core/design_pixels.h"
#include "frontends/win32/form1_window.h"
#include "frontends/win32/form2_window.h"
#include "frontends/win32/form3_window.h"
#include "frontends/win32/form4_window.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"
#include "magnifier/form3_design.h"
#include "settings/form4_design.h"

namespace kepa {
namespace {

std::string textOf(HWND window) {
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
  return utf8Of(text);
}

std::string placed(const std::string& text, const Rect& at) {
  return text + " " + std::to_string(at.x) + "," + std::to_string(at.y) + " " +
         std::to_string(at.width) + "x" + std::to_string(at.height);
}

// Each child window as "caption x,y wxh" on its parent's client area, sorted.
std::vector<std::string> childrenOf(HWND parent) {
  std::vector<std::string> found;
  struct Walk {
    HWND parent;
    std::vector<std::string>* found;
  } walk{parent, &found};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        const auto& w = *reinterpret_cast<Walk*>(data);
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, w.parent, reinterpret_cast<POINT*>(&box), 2);
        w.found->push_back(
            placed(textOf(child), {box.left, box.top, box.right - box.left, box.bottom - box.top}));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  std::sort(found.begin(), found.end());
  return found;
}

Rect clientOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {0, 0, client.right, client.bottom};
}

TEST(Win32Layout, TheSettingsDialogsControlsStandAsDesignedAt100And200Percent) {
  for (const float twipsPerPixel : {15.0F, 7.5F}) {
    Form4Window window(twipsPerPixel, twipsPerPixel, {});
    std::vector<std::string> designed;
    for (const Form4ControlDesign& control : form4Design())
      designed.push_back(
          placed(control.caption, designToPixels(control.rect, twipsPerPixel, twipsPerPixel)));
    std::sort(designed.begin(), designed.end());
    EXPECT_EQ(childrenOf(window.hwnd()), designed) << twipsPerPixel;
    EXPECT_EQ(clientOf(window.hwnd()), designToPixels(kForm4Client, twipsPerPixel, twipsPerPixel));
    EXPECT_EQ(textOf(window.hwnd()), kForm4Caption);
  }
}

TEST(Win32Layout, TheMagnifierKeepsItsCaptionAndClientSizeAt100And200Percent) {
  for (const float twipsPerPixel : {15.0F, 7.5F}) {
    Form3Window window(twipsPerPixel, twipsPerPixel, {}, {0, 0});
    EXPECT_EQ(textOf(window.hwnd()), kForm3Caption);
    const Rect client = clientOf(window.hwnd());
    EXPECT_EQ((Point{client.width, client.height}),
              (Point{window.clientImage().width(), window.clientImage().height()}))
        << twipsPerPixel;
  }
}

// After the hourglass of a long effect, the pointer over the frozen screen is its cross-hair
// again at once, not the arrow until the mouse moves.
TEST(Win32Messages, TheDefaultPointerOverTheFrozenScreenIsItsOwn) {
  Win32Desktop desktop;
  Form2Face::Handlers handlers;
  handlers.mouseDown = handlers.mouseMove = handlers.mouseUp = [](int, int, float, float) {};
  Form2Window window(Surface(64, 48), 15.0F, 15.0F, std::move(handlers), {0, 0});
  window.showOverScreen();
  SetCursorPos(10, 10);
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  const HCURSOR own = SetCursor(arrow);  // the frozen screen's, as it was shown
  desktop.setMousePointer(MousePointer::Hourglass);
  EXPECT_NE(GetCursor(), own);
  desktop.setMousePointer(MousePointer::Default);
  EXPECT_EQ(GetCursor(), own);
}

// The splash is placed on the desktop, whose (0, 0) is the top-left corner of every monitor
// together: with a monitor left of and above the primary one, the screen's coordinates, which
// start at the primary's corner, are that far off.
TEST(Win32Layout, TheSplashIsPlacedOnTheDesktopNotOnThePrimarysCoordinates) {
  Form1Window window(15.0F, {}, {-1024, -200});
  window.setLeftTwips(1200 * 15.0F);
  window.setTopTwips(400 * 15.0F);
  RECT frame;
  GetWindowRect(window.hwnd(), &frame);
  EXPECT_EQ((Point{frame.left, frame.top}), (Point{176, 200}));
}

// The close button and Alt+F4 both arrive as WM_CLOSE: the dialog's code decides, and the
// window stays until it is unloaded.
TEST(Win32Messages, TheSettingsDialogIsAWindowWhoseCloseAndButtonsAloneAct) {
  int closed = 0;
  int ok = 0;
  Form4Face::Handlers handlers;
  handlers.command1 = [&] { ++ok; };
  handlers.closed = [&] { ++closed; };
  Form4Window window(15.0F, 15.0F, std::move(handlers));
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(IsWindow(window.hwnd()));
  // Enter and Esc, as the modal loop's dialog keys send them, press no button.
  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(ok, 0);
  // A click on OK does.
  HWND button = nullptr;
  while ((button = FindWindowExW(window.hwnd(), button, L"BUTTON", nullptr)) != nullptr) {
    if (textOf(button) == "ＯＫ") SendMessageW(button, BM_CLICK, 0, 0);
  }
  EXPECT_EQ(ok, 1);
  // An ordinary sizable window with the caption bar's buttons, not a dialog frame.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.hwnd(), GWL_STYLE));
  const DWORD wanted = WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
}

// Runs post_message.exe, beside this program: another process posts `message` to the first
// window of `windowClass`.
void postFromAnotherProgram(const std::wstring& windowClass, UINT message, WPARAM wParam = 0) {
  std::wstring path(MAX_PATH * 4, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"post_message.exe";
  std::wstring command = L"\"" + path + L"\" " + windowClass + L" " + std::to_wstring(message) +
                         L" " + std::to_wstring(wParam);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_NE(CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process),
            FALSE);
  WaitForSingleObject(process.hProcess, 10000);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(status, 0U) << "post_message found no window";
}

// Another program posts the number that the program's windows post to end themselves, and a
// close: the hidden window stays, and a later start's requests (capture or not) still reach it.
TEST(Win32Messages, AnotherProgramCanNeitherFreeNorCloseTheHiddenWindow) {
  Win32Desktop desktop;
  std::vector<bool> asked;
  desktop.requested = [&](bool capture) { asked.push_back(capture); };
  postFromAnotherProgram(Win32Desktop::kOwnerClass, WM_APP + 1);
  postFromAnotherProgram(Win32Desktop::kOwnerClass, WM_CLOSE);
  desktop.DoEvents();
  const HWND running = FindWindowW(Win32Desktop::kOwnerClass, nullptr);
  ASSERT_NE(running, nullptr);
  PostMessageW(running, Win32Desktop::kRequest, 1, 0);
  PostMessageW(running, Win32Desktop::kRequest, 0, 0);
  desktop.DoEvents();
  EXPECT_EQ(asked, (std::vector<bool>{true, false}));
}

// The frozen screen: a quick second press (a double click to Windows) is a press, and a close
// from outside goes to the window's code.
TEST(Win32Messages, TheFrozenScreenTakesADoubleClickAsAPressAndAClose) {
  std::vector<int> presses;
  int closed = 0;
  Form2Face::Handlers handlers;
  handlers.mouseDown = [&](int button, int, float, float) { presses.push_back(button); };
  handlers.mouseMove = [](int, int, float, float) {};
  handlers.mouseUp = [](int, int, float, float) {};
  handlers.closed = [&] { ++closed; };
  Form2Window window(Surface(64, 48), 15.0F, 15.0F, std::move(handlers), {0, 0});
  const LPARAM at = MAKELPARAM(10, 12);
  for (const UINT message : std::array<UINT, 6>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                                WM_LBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP})
    SendMessageW(window.hwnd(), message, 0, at);
  EXPECT_EQ(presses, (std::vector<int>{1, 1, 2}));
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(IsWindow(window.hwnd()));
}

std::string contentsOf(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(none)";
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A save over an existing file: the file keeps its attributes, a file planted at a name the
// save might use is left alone, and no temporary file stays behind.
TEST(Win32Files, ASaveReplacesAFileKeepingItsAttributesAndTouchesNothingPlanted) {
  Win32Desktop desktop;
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetTempPathW(MAX_PATH, folder.data()));
  folder += L"kepa-save-test\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring target = folder + L"RozAze.bmp";
  const std::wstring planted = target + L".kepa-tmp";
  writeFile(target, "old");
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
  writeFile(planted, "planted");

  Surface picture(3, 2);
  picture.row(1)[2] = 0xFF123456U;
  ASSERT_TRUE(desktop.SavePicture(picture, utf8Of(target)).saved);
  const std::vector<std::uint8_t> expected = encodeBmp(picture);
  EXPECT_EQ(contentsOf(target), std::string(expected.begin(), expected.end()));
  EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0U);
  EXPECT_EQ(contentsOf(planted), "planted");
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(utf8Of(name));
  } while (FindNextFileW(search, &found) != FALSE);
  FindClose(search);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"RozAze.bmp", "RozAze.bmp.kepa-tmp"}));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(target.c_str());
  DeleteFileW(planted.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kepa
