#include "writers/bmp_writer.h"

namespace {

void Put16(std::string& s, int v) {
  s.push_back(static_cast<char>(v & 255));
  s.push_back(static_cast<char>((v >> 8) & 255));
}
void Put32(std::string& s, std::int64_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 255));
}

std::string Header(int width, int height, int bits, int paletteEntries, int rowBytes, bool topDown) {
  const int offset = 14 + 40 + paletteEntries * 4;
  std::string s = "BM";
  Put32(s, offset + rowBytes * height);
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, width);
  Put32(s, topDown ? -height : height);
  Put16(s, 1);
  Put16(s, bits);
  Put32(s, 0);
  Put32(s, rowBytes * height);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, paletteEntries);
  Put32(s, 0);
  return s;
}

std::string TrueColour(int width, int height, const std::vector<std::uint32_t>& pixels, bool topDown, int bytes) {
  const int rowBytes = (width * bytes + 3) & ~3;
  std::string s = Header(width, height, bytes * 8, 0, rowBytes, topDown);
  for (int r = 0; r < height; ++r) {
    const int y = topDown ? r : height - 1 - r;
    std::string row;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = pixels[static_cast<std::size_t>(y) * width + x];
      row.push_back(static_cast<char>(c & 255));
      row.push_back(static_cast<char>((c >> 8) & 255));
      row.push_back(static_cast<char>((c >> 16) & 255));
      if (bytes == 4) row.push_back(0);
    }
    row.resize(rowBytes, '\0');
    s += row;
  }
  return s;
}

}  // namespace

std::string MakeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                     const std::vector<std::uint8_t>& indices, bool topDown) {
  const int rowBytes = (width + 3) & ~3;
  std::string s = Header(width, height, 8, 256, rowBytes, topDown);
  for (int i = 0; i < 256; ++i) {
    const std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
    s.push_back(static_cast<char>(c & 255));
    s.push_back(static_cast<char>((c >> 8) & 255));
    s.push_back(static_cast<char>((c >> 16) & 255));
    s.push_back(0);
  }
  for (int r = 0; r < height; ++r) {
    const int y = topDown ? r : height - 1 - r;
    std::string row(indices.begin() + static_cast<std::ptrdiff_t>(y) * width,
                    indices.begin() + static_cast<std::ptrdiff_t>(y + 1) * width);
    row.resize(rowBytes, '\0');
    s += row;
  }
  return s;
}

std::string MakeBmp24(int width, int height, const std::vector<std::uint32_t>& pixels, bool topDown) {
  return TrueColour(width, height, pixels, topDown, 3);
}

std::string MakeBmp32(int width, int height, const std::vector<std::uint32_t>& pixels, bool topDown) {
  return TrueColour(width, height, pixels, topDown, 4);
}
