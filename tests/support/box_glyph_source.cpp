#include "tests/support/box_glyph_source.h"

int cBoxGlyphSource::AdvanceOf(int nHeight, char32_t code) {
  if (code == 0) return 0;
  const bool half = code < 0x100 || (code >= 0xFF61 && code <= 0xFF9F);
  return half ? nHeight / 2 : nHeight;
}

bool cBoxGlyphSource::InkAt(int nHeight, char32_t code, int x, int y) {
  if (code <= 0x20 || nHeight <= 0) return false;
  return x >= 0 && y >= 0 && x < AdvanceOf(nHeight, code) && y < nHeight &&
         y != static_cast<int>(code % static_cast<char32_t>(nHeight));
}

const cGlyphImage& cBoxGlyphSource::Glyph(int, int nHeight, char32_t code) {
  ++nRequests;
  ++requestsPerCode[code];
  cGlyphImage& image = m_Memo[{nHeight, code}];
  if (image.nAdvance != 0 || code == 0) return image;
  image.nAdvance = AdvanceOf(nHeight, code);
  if (code <= 0x20) return image;
  image.nWidth = image.nAdvance;
  image.nHeight = nHeight;
  image.ink.assign(static_cast<std::size_t>(image.nWidth) * nHeight, 0);
  for (int y = 0; y < nHeight; ++y)
    for (int x = 0; x < image.nWidth; ++x)
      image.ink[static_cast<std::size_t>(y) * image.nWidth + x] = InkAt(nHeight, code, x, y) ? 1 : 0;
  image.BuildSpans();
  return image;
}
