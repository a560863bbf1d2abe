#include "frontends/win32/gdi.h"

#include <cmath>

#include "core/numeric.h"

namespace kepa {

HFONT makeFont(const wchar_t* family, double points, int weight, float twipsPerPixel) {
  // 1440 twips to the inch, 72 points to the inch: a point is 20 twips.
  const int height = -static_cast<int>(std::lround(points * 20.0 / twipsPerPixel));
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, family);
}

RECT pixelsOfTwipsRect(double left, double top, double width, double height, float twipsPerPixelX,
                       float twipsPerPixelY) {
  const int x = twipsToPixels(left, twipsPerPixelX);
  const int y = twipsToPixels(top, twipsPerPixelY);
  return {x, y, x + twipsToPixels(width, twipsPerPixelX),
          y + twipsToPixels(height, twipsPerPixelY)};
}

void drawLabel(HDC dc, const std::wstring& text, RECT box, HFONT font, COLORREF colour, UINT format,
               const COLORREF* background) {
  if (background != nullptr) {
    HBRUSH brush = CreateSolidBrush(*background);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
  }
  const HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
  SelectObject(dc, previous);
}

}  // namespace kepa
