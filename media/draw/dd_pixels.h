#pragma once
// The memory of a surface of the software back ends: rows of pixels in one of the formats
// the two back ends use, and conversions between those pixels and 0xAARRGGBB colours.
#include <cstdint>
#include <cstring>
#include <vector>

#include "media/draw/dd_types.h"

enum class ePixelFormat : std::uint8_t { kP8, kR5G6B5, kA1R5G5B5, kX8R8G8B8, kA8R8G8B8 };

int BytesPerPixelOf(ePixelFormat format);
D3DFORMAT D3DFormatOf(ePixelFormat format);
ePixelFormat PixelFormatOf(D3DFORMAT format);

struct cPixelBuffer {
  int nWidth = 0;
  int nHeight = 0;
  int nPitch = 0;  // bytes per row, a multiple of 4
  ePixelFormat format = ePixelFormat::kX8R8G8B8;
  std::vector<std::uint8_t> bytes;

  // Zeroed memory of the size (a size out of bounds gives an empty buffer and false).
  bool Create(int width, int height, ePixelFormat pixelFormat);
  int BytesPerPixel() const { return BytesPerPixelOf(format); }
  std::uint8_t* Row(int y) { return bytes.data() + static_cast<std::size_t>(y) * nPitch; }
  const std::uint8_t* Row(int y) const { return bytes.data() + static_cast<std::size_t>(y) * nPitch; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < nWidth && y < nHeight; }
  // The raw pixel value (8, 16 or 32 bits).
  std::uint32_t Get(int x, int y) const {
    const std::uint8_t* p = Row(y) + x * BytesPerPixel();
    switch (BytesPerPixel()) {
      case 1: return *p;
      case 2: { std::uint16_t v; std::memcpy(&v, p, 2); return v; }
      default: { std::uint32_t v; std::memcpy(&v, p, 4); return v; }
    }
  }
  void Put(int x, int y, std::uint32_t value) {
    std::uint8_t* p = Row(y) + x * BytesPerPixel();
    switch (BytesPerPixel()) {
      case 1: *p = static_cast<std::uint8_t>(value); break;
      case 2: { const std::uint16_t v = static_cast<std::uint16_t>(value); std::memcpy(p, &v, 2); break; }
      default: std::memcpy(p, &value, 4); break;
    }
  }
};

// The largest surface side the software devices make.
constexpr int kMaxSurfaceSide = 16384;

// Raw pixel to 0xAARRGGBB: channels widened to 8 bits, rounded to the nearest value;
// formats without alpha read as opaque. Palettised pixels have no colour here (0).
std::uint32_t PixelToArgb(ePixelFormat format, std::uint32_t pixel);
// 0xAARRGGBB to a raw pixel, each channel narrowed to the nearest value, so that
// PixelToArgb and ArgbToPixel give a pixel back unchanged.
std::uint32_t ArgbToPixel(ePixelFormat format, std::uint32_t argb);
