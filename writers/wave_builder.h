#pragma once
// WAVE files built chunk by chunk: the demo game's sounds, and test files damaged in any part.
#include <cstdint>
#include <string>
#include <vector>

#include "writers/byte_builder.h"

struct cWaveLayout {
  std::uint16_t nFormatTag = 1;
  std::uint16_t nChannels = 1;
  std::uint32_t nRate = 22050;
  std::uint16_t nBits = 8;
  // Length of the fmt chunk (16 or 18 normally); bytes past 16 are zero.
  std::uint32_t nFmtSize = 16;
  std::vector<std::uint8_t> vSamples;
  // When set, the data chunk claims this many bytes instead of the sample count.
  std::int64_t nDataSizeClaim = -1;
  // A chunk of another kind between fmt and data, as editors write ("LIST" and so on).
  bool bExtraChunk = false;
};

std::vector<std::uint8_t> BuildWave(const cWaveLayout& layout);
// 16-bit samples as little-endian bytes.
std::vector<std::uint8_t> Pcm16Bytes(const std::vector<std::int16_t>& samples);
