#pragma once
// Windows bitmap files (the demo game's pictures, the tests' art): palettised (8-bit) and true-colour (24- and
// 32-bit) pictures, rows stored bottom-up as usual or top-down.
#include <cstdint>
#include <string>
#include <vector>

// indices: width x height palette numbers, top row first; palette: 0x00RRGGBB entries.
std::string MakeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                     const std::vector<std::uint8_t>& indices, bool topDown = false);
// pixels: width x height colours 0x00RRGGBB, top row first.
std::string MakeBmp24(int width, int height, const std::vector<std::uint32_t>& pixels, bool topDown = false);
std::string MakeBmp32(int width, int height, const std::vector<std::uint32_t>& pixels, bool topDown = false);
