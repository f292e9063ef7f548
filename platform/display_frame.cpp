#include "platform/display_frame.h"

#include <cstring>

namespace {

// Five and six bits widened to eight, rounded to the nearest value.
constexpr std::uint32_t Widen5(std::uint32_t v) { return (v * 255u + 15u) / 31u; }
constexpr std::uint32_t Widen6(std::uint32_t v) { return (v * 255u + 31u) / 63u; }

struct cWideTables {
  std::uint32_t r565[32], g565[64], b565[32];
  cWideTables() {
    for (std::uint32_t v = 0; v < 32; ++v) {
      r565[v] = Widen5(v) << 16;
      b565[v] = Widen5(v);
    }
    for (std::uint32_t v = 0; v < 64; ++v) g565[v] = Widen6(v) << 8;
  }
};
const cWideTables g_Wide;

}  // namespace

void ConvertFrameToArgb(const cDisplayFrame& frame, std::uint32_t* dst, int dstPitch) {
  const int w = frame.nWidth;
  std::uint32_t lut[256];
  if (frame.pixels == eFramePixels::kIndex8)
    for (int i = 0; i < 256; ++i) lut[i] = frame.palette[i] | 0xFF000000u;
  for (int y = 0; y < frame.nHeight; ++y) {
    const std::uint8_t* src = frame.bytes.data() + static_cast<std::size_t>(y) * frame.nPitch;
    std::uint32_t* out = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(dst) +
                                                          static_cast<std::size_t>(y) * dstPitch);
    switch (frame.pixels) {
      case eFramePixels::kIndex8:
        for (int x = 0; x < w; ++x) out[x] = lut[src[x]];
        break;
      case eFramePixels::kR5G6B5:
        for (int x = 0; x < w; ++x) {
          std::uint16_t p;
          std::memcpy(&p, src + 2 * x, 2);
          out[x] = 0xFF000000u | g_Wide.r565[p >> 11] | g_Wide.g565[(p >> 5) & 63] | g_Wide.b565[p & 31];
        }
        break;
      case eFramePixels::kX1R5G5B5:
        for (int x = 0; x < w; ++x) {
          std::uint16_t p;
          std::memcpy(&p, src + 2 * x, 2);
          out[x] = 0xFF000000u | g_Wide.r565[(p >> 10) & 31] | (Widen5((p >> 5) & 31) << 8) |
                   g_Wide.b565[p & 31];
        }
        break;
      case eFramePixels::kX8R8G8B8:
        for (int x = 0; x < w; ++x) {
          std::uint32_t p;
          std::memcpy(&p, src + 4 * x, 4);
          out[x] = p | 0xFF000000u;
        }
        break;
    }
  }
}
