// The Windows API for the Win32 front end. The program's own headers model some of its
// records, calls and constants under their Windows names (NOTIFYICONDATA, NIM_ADD,
// WM_RBUTTONDOWN, SWP_SHOWWINDOW, SRCCOPY...) with the same values; the API's macros of those
// names are removed here so that both can be included in one file; the two whose type differs
// from the program's are kept under other names. Include this, never
// <windows.h> itself.
#pragma once

// clang-format off
#include <windows.h>
#include <windowsx.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

namespace kepa::win {

inline constexpr DWORD kSrcCopy = SRCCOPY;
inline const HWND kTopmost = HWND_TOPMOST;

}  // namespace kepa::win

#undef NOTIFYICONDATA
#undef NIM_ADD
#undef NIM_MODIFY
#undef NIM_DELETE
#undef NIF_MESSAGE
#undef NIF_ICON
#undef NIF_TIP
#undef WM_MOUSEMOVE
#undef WM_LBUTTONDOWN
#undef WM_LBUTTONUP
#undef WM_LBUTTONDBLCLK
#undef WM_RBUTTONDOWN
#undef WM_RBUTTONUP
#undef WM_MBUTTONDOWN
#undef HWND_TOPMOST
#undef HWND_NOTOPMOST
#undef SWP_NOSIZE
#undef SWP_NOMOVE
#undef SWP_NOACTIVATE
#undef SWP_SHOWWINDOW
#undef SWP_HIDEWINDOW
#undef BLACKONWHITE
#undef COLORONCOLOR
#undef SRCCOPY
#undef SRCAND
#undef SRCPAINT
#undef NOTSRCCOPY
#undef SRCINVERT
#undef SRCERASE
#undef NOTSRCERASE
#undef MERGEPAINT

// The program's own constants of those names, for the front end's use of them.
#include "runtime/notify_icon_data.h"  // IWYU pragma: export
#include "runtime/window_pos.h"        // IWYU pragma: export
