// kepa on Windows: a notification-area screen-capture and region-clipping tool.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <io.h>

#include "app/app.h"
#include "app/command_line.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"
#include "frontends/win32/win32_windows.h"
#include "frontends/win32/windows_api.h"

namespace {

// The arguments after the program's name, in UTF-8.
std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i)
    utf8.push_back(kepa::utf8Of(wide[i]));
  LocalFree(wide);
  return utf8;
}

// Help, the version and mistakes go to the console the program was started from, if any.
void print(const std::string& text, bool toStandardError) {
  if (AttachConsole(ATTACH_PARENT_PROCESS) != FALSE) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
  std::fputs(text.c_str(), toStandardError ? stderr : stdout);
  std::fflush(toStandardError ? stderr : stdout);
}

// Hands the request to the kepa that runs already, waiting a little for its window should it
// be starting at this very moment.
bool handOver(bool capture) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND running = FindWindowW(kepa::Win32Desktop::kOwnerClass, nullptr)) {
      AllowSetForegroundWindow(ASFW_ANY);
      return PostMessageW(running, kepa::Win32Desktop::kRequest, capture ? 1 : 0, 0) != FALSE;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Lines end as on every other system: the menu traces are read by tools.
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  const kepa::Language language = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE
                                      ? kepa::Language::Japanese
                                      : kepa::Language::English;
  const std::vector<std::string> words = arguments();
  std::vector<const char*> pointers;
  for (const std::string& word : words)
    pointers.push_back(word.c_str());
  const kepa::CommandLine command = kepa::parseCommandLine(pointers, language);
  if (command.action == kepa::CommandLine::Action::Print) {
    print(command.text, command.toStandardError);
    return command.exitStatus;
  }
  const bool capture = command.action == kepa::CommandLine::Action::Capture;

  // One kepa per user session: a later start hands its request over and ends.
  HANDLE instance = CreateMutexW(nullptr, TRUE, L"Local\\org.kepa.Kepa");
  if (instance != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    if (handOver(capture)) return 0;
    print(kepa::noAnswerText(language, "no window of the running kepa"), true);
    return 1;
  }

  int status = 0;
  {
    kepa::Win32Desktop desktop;
    kepa::App app(desktop, kepa::win32Windows(desktop));
    desktop.requested = [&app](bool asked) {
      if (asked) app.requestCapture();
    };
    if (capture) app.requestCapture();
    // The autostart entry sets KEPA_AUTOSTART=1: at login the taskbar may still be starting.
    const char* autostart = std::getenv("KEPA_AUTOSTART");
    const bool atLogin = autostart != nullptr && std::string(autostart) == "1";
    if (app.start(atLogin ? kepa::Launch::AtLogin : kepa::Launch::ByUser)) {
      status = desktop.run();
    } else {
      status = app.ended() ? 0 : 1;
    }
  }
  // Windows unloaded from inside their own messages go now.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageW(&message);
  if (instance != nullptr) CloseHandle(instance);
  return status;
}
