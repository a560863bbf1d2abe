// Small helpers for drawing with GDI in twips, points and the program's colours.
#pragma once

#include <string>

#include "core/colour.h"
#include "core/geometry.h"
#include "frontends/win32/windows_api.h"

namespace kepa {

inline constexpr const wchar_t* kGothicFamily = L"ＭＳ Ｐゴシック";
inline constexpr const wchar_t* kHeavyFamily = L"Arial Black";

// A font of `points` at the display's scale (twips per pixel), owned by the caller.
[[nodiscard]] HFONT makeFont(const wchar_t* family, double points, int weight, float twipsPerPixel);

// The rectangle of (left, top, width, height) twips in whole pixels.
[[nodiscard]] RECT pixelsOfTwipsRect(double left, double top, double width, double height,
                                     float twipsPerPixelX, float twipsPerPixelY);

[[nodiscard]] inline COLORREF colorRef(Colour colour) {
  return RGB(colour.red(), colour.green(), colour.blue());
}

// Draws `text` into `box` in `colour` (and on `background`, where it is opaque).
void drawLabel(HDC dc, const std::wstring& text, RECT box, HFONT font, COLORREF colour, UINT format,
               const COLORREF* background = nullptr);

}  // namespace kepa
