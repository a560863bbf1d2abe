// Writes the program's icon (kepaIcon's 16 x 16 pixels) as an .ico file for its resources.
#include <cstdio>
#include <vector>

#include "platform/kepa_icon.h"

namespace {

void put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xFFU));
  out.push_back(static_cast<unsigned char>(value >> 8U));
}

void put32(std::vector<unsigned char>& out, unsigned value) {
  put16(out, value & 0xFFFFU);
  put16(out, value >> 16U);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: kepa_ico FILE.ico\n", stderr);
    return 2;
  }
  const kepa::Surface& icon = kepa::kepaIcon();
  const auto side = static_cast<unsigned>(icon.width());
  const unsigned pixelBytes = side * side * 4;
  const unsigned maskBytes = side * 4;  // one bit a pixel, rows of 32 bits
  std::vector<unsigned char> out;
  put16(out, 0);  // the icon directory
  put16(out, 1);
  put16(out, 1);
  out.push_back(static_cast<unsigned char>(side));
  out.push_back(static_cast<unsigned char>(side));
  out.push_back(0);
  out.push_back(0);
  put16(out, 1);
  put16(out, 32);
  put32(out, 40 + pixelBytes + maskBytes);
  put32(out, 22);
  put32(out, 40);  // the bitmap header: twice the height, for the pixels and the mask
  put32(out, side);
  put32(out, side * 2);
  put16(out, 1);
  put16(out, 32);
  for (int field = 0; field < 6; ++field)
    put32(out, 0);
  for (int y = icon.height() - 1; y >= 0; --y) {
    for (int x = 0; x < icon.width(); ++x)
      put32(out, icon.row(y)[x] | 0xFF000000U);
  }
  out.insert(out.end(), maskBytes, 0);  // every pixel opaque
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) return 1;
  const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}
