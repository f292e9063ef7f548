#pragma once
// A finished frame on its way from the drawing thread to the screen, and its conversion to
// the 32-bit pixels of the window's texture. The drawing layer hands over the back buffer's
// bytes as they are; the main thread converts them, so that drawing never waits for it.
#include <cstdint>
#include <vector>

// Pixel layouts a frame can come in (the back-buffer formats of the two back ends).
enum class eFramePixels : std::uint8_t {
  kIndex8,    // palette numbers, shown through the frame's palette
  kR5G6B5,
  kX1R5G5B5,  // the top bit is ignored
  kX8R8G8B8,  // the top byte is ignored
};

struct cDisplayFrame {
  int nWidth = 0;
  int nHeight = 0;
  int nPitch = 0;  // bytes per row of `bytes`
  eFramePixels pixels = eFramePixels::kX8R8G8B8;
  std::vector<std::uint8_t> bytes;
  // 8-bit frames: the display palette as 0x00RRGGBB, 256 entries.
  std::uint32_t palette[256] = {};
  std::uint64_t nSerial = 0;  // counts the frames handed over, from 1
};

// Converts a frame into 0xFFRRGGBB pixels (dstPitch in bytes, at least nWidth x 4).
void ConvertFrameToArgb(const cDisplayFrame& frame, std::uint32_t* dst, int dstPitch);
