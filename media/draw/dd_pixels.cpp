#include "media/draw/dd_pixels.h"

int BytesPerPixelOf(ePixelFormat format) {
  switch (format) {
    case ePixelFormat::kP8: return 1;
    case ePixelFormat::kR5G6B5:
    case ePixelFormat::kA1R5G5B5: return 2;
    default: return 4;
  }
}

D3DFORMAT D3DFormatOf(ePixelFormat format) {
  switch (format) {
    case ePixelFormat::kP8: return D3DFMT_P8;
    case ePixelFormat::kR5G6B5: return D3DFMT_R5G6B5;
    case ePixelFormat::kA1R5G5B5: return D3DFMT_A1R5G5B5;
    case ePixelFormat::kX8R8G8B8: return D3DFMT_X8R8G8B8;
    case ePixelFormat::kA8R8G8B8: return D3DFMT_A8R8G8B8;
  }
  return D3DFMT_UNKNOWN;
}

ePixelFormat PixelFormatOf(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_P8: return ePixelFormat::kP8;
    case D3DFMT_R5G6B5: return ePixelFormat::kR5G6B5;
    case D3DFMT_A1R5G5B5: return ePixelFormat::kA1R5G5B5;
    case D3DFMT_A8R8G8B8: return ePixelFormat::kA8R8G8B8;
    default: return ePixelFormat::kX8R8G8B8;
  }
}

bool cPixelBuffer::Create(int width, int height, ePixelFormat pixelFormat) {
  format = pixelFormat;
  if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) {
    nWidth = nHeight = nPitch = 0;
    bytes.clear();
    return false;
  }
  nWidth = width;
  nHeight = height;
  nPitch = (width * BytesPerPixelOf(pixelFormat) + 3) & ~3;
  bytes.assign(static_cast<std::size_t>(nPitch) * height, 0);
  return true;
}

namespace {
constexpr std::uint32_t DdPixelsWiden(std::uint32_t v, std::uint32_t max) { return (v * 255u + max / 2) / max; }
constexpr std::uint32_t Narrow(std::uint32_t v, std::uint32_t max) { return (v * max + 127u) / 255u; }
}  // namespace

std::uint32_t PixelToArgb(ePixelFormat format, std::uint32_t p) {
  switch (format) {
    case ePixelFormat::kP8: return 0;
    case ePixelFormat::kR5G6B5:
      return 0xFF000000u | (DdPixelsWiden((p >> 11) & 31, 31) << 16) | (DdPixelsWiden((p >> 5) & 63, 63) << 8) |
             DdPixelsWiden(p & 31, 31);
    case ePixelFormat::kA1R5G5B5:
      return ((p & 0x8000u) ? 0xFF000000u : 0u) | (DdPixelsWiden((p >> 10) & 31, 31) << 16) |
             (DdPixelsWiden((p >> 5) & 31, 31) << 8) | DdPixelsWiden(p & 31, 31);
    case ePixelFormat::kX8R8G8B8: return p | 0xFF000000u;
    case ePixelFormat::kA8R8G8B8: return p;
  }
  return 0;
}

std::uint32_t ArgbToPixel(ePixelFormat format, std::uint32_t c) {
  const std::uint32_t a = c >> 24, r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
  switch (format) {
    case ePixelFormat::kP8: return 0;
    case ePixelFormat::kR5G6B5: return (Narrow(r, 31) << 11) | (Narrow(g, 63) << 5) | Narrow(b, 31);
    case ePixelFormat::kA1R5G5B5:
      return ((a >= 128) ? 0x8000u : 0u) | (Narrow(r, 31) << 10) | (Narrow(g, 31) << 5) | Narrow(b, 31);
    case ePixelFormat::kX8R8G8B8: return c | 0xFF000000u;
    case ePixelFormat::kA8R8G8B8: return c;
  }
  return 0;
}
