// Writes the pictures of the program's resources, from its own pixels: the icon (kepaIcon, 16 x
// 16) as an .ico file and the clipping window's cross-hair (inverting where it is drawn,
// transparent elsewhere) as a .cur file.
#include <cstdio>
#include <string>
#include <vector>

#include "clip/cross_hair.h"
#include "runtime/kepa_icon.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xFFU));
  out.push_back(static_cast<unsigned char>(value >> 8U));
}

void put32(Bytes& out, unsigned value) {
  put16(out, value & 0xFFFFU);
  put16(out, value >> 16U);
}

// The file header and its one entry (`type` 1 an icon, 2 a cursor; `x`, `y` the planes of an
// icon or the hotspot of a cursor), then the bitmap's header for `bits` bits a pixel.
Bytes header(unsigned type, unsigned side, unsigned colours, unsigned x, unsigned y, unsigned bits,
             unsigned imageBytes) {
  Bytes out;
  put16(out, 0);
  put16(out, type);
  put16(out, 1);
  out.push_back(static_cast<unsigned char>(side));
  out.push_back(static_cast<unsigned char>(side));
  out.push_back(static_cast<unsigned char>(colours));
  out.push_back(0);
  put16(out, x);
  put16(out, y);
  put32(out, imageBytes);
  put32(out, 22);
  put32(out, 40);  // twice the height: the colours (or the XOR plane), then the AND plane
  put32(out, side);
  put32(out, side * 2);
  put16(out, 1);
  put16(out, bits);
  for (int field = 0; field < 6; ++field)
    put32(out, 0);
  return out;
}

bool write(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

Bytes icon() {
  const kepa::Surface& pixels = kepa::kepaIcon();
  const auto side = static_cast<unsigned>(pixels.width());
  const unsigned maskBytes = side * 4;  // one bit a pixel, rows of 32 bits
  Bytes out = header(1, side, 0, 1, 32, 32, 40 + side * side * 4 + maskBytes);
  for (int y = pixels.height() - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.width(); ++x)
      put32(out, pixels.row(y)[x] | 0xFF000000U);
  }
  out.insert(out.end(), maskBytes, 0);  // every pixel opaque
  return out;
}

Bytes crossHair() {
  const kepa::CrossHair cross;
  constexpr unsigned kSide = kepa::CrossHair::kSize;
  constexpr unsigned kRowBytes = kSide / 8;
  Bytes out = header(2, kSide, 2, kepa::CrossHair::kHotspot.x, kepa::CrossHair::kHotspot.y, 1,
                     40 + 8 + 2 * kSide * kRowBytes);
  put32(out, 0x000000);  // the palette: 0 black, 1 white
  put32(out, 0xFFFFFF);
  // Drawn pixels: AND 1 and XOR 1, the screen inverted; the others AND 1 and XOR 0, the
  // screen as it is. Rows bottom up.
  for (int plane = 0; plane < 2; ++plane) {
    for (int row = kSide - 1; row >= 0; --row) {
      for (unsigned byte = 0; byte < kRowBytes; ++byte) {
        unsigned char bits = plane == 1 ? 0xFF : 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
          const auto column = static_cast<int>(byte * 8 + bit);
          if (plane == 0 && cross.inverts(column, row))
            bits |= static_cast<unsigned char>(0x80U >> bit);
        }
        out.push_back(bits);
      }
    }
  }
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fputs("usage: resource_pictures ICON.ico CURSOR.cur\n", stderr);
    return 2;
  }
  return write(argv[1], icon()) && write(argv[2], crossHair()) ? 0 : 1;
}
