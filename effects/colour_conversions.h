// The colour conversions of the region image: red, green and blue scale, negative, grey
// scale and sepia. Each reads the captured screen, never the region image, so conversions
// replace one another instead of accumulating.
#pragma once

#include <array>
#include <cstdint>

#include "effects/region.h"

namespace kepa {

// The grey palette: entry k holds red, green and blue.
using PixelBuffer = std::array<std::array<std::uint8_t, 3>, 256>;

// Index 1, 2 or 3: clears the image, fills it with the red, green or blue mask and keeps only
// that channel of each region cell. Returns false (doing nothing) for any other index.
bool colourScale(std::int32_t index, const Region& region, const DeviceContext& screen,
                 Picture& image);

// Clears the image to its current background, then each region cell becomes the negative of
// its screen pixel.
void negative(const Region& region, const DeviceContext& screen, Picture& image);

// SplitRGB: the channels of a colour 0x00BBGGRR; bits 24-31 are ignored.
void SplitRGB(std::int32_t q, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b);

// InitPixelBuffer: empties the palette, then entry k := (k, k, k).
void InitPixelBuffer(PixelBuffer& palette);

// The grey conversion: background black and clear, then for rows 0 .. height + 1 and columns
// 0 .. width + 1, the grey (R + G + B + 1) div 3 of screen pixel (x + startX + 1,
// y + startY + 1) taken from the palette; a pixel off the screen counts as -1, whose absolute
// value 1 gives black. Writes outside the image are dropped, so the extra column and row
// take the grey of the screen beyond the region. Works on whole rows.
void grey(const Region& region, const DeviceContext& screen, Picture& image, PixelBuffer& palette);

// The sepia conversion: fill with blue, keep each cell's blue, then OR in the screen pixel
// ten columns right of and ten rows below the cell's own.
void sepia(const Region& region, const DeviceContext& screen, Picture& image);

}  // namespace kepa
