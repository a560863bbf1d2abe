// Another program: posts a message to the first window of a class, as any program can.
// usage: post_message CLASS MESSAGE [WPARAM]
#include <cwchar>

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const HWND window = FindWindowW(argv[1], nullptr);
  if (window == nullptr) return 1;
  const auto message = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 0));
  const WPARAM wParam = argc > 3 ? std::wcstoul(argv[3], nullptr, 0) : 0;
  return PostMessageW(window, message, wParam, 0) != FALSE ? 0 : 1;
}
