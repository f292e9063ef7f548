#pragma once
// The inputs of the targets that play (fuzz/play_harness.h):
//   byte 0           the number of script lines n
//   2 n bytes        each line: frames (0-255), then the direction in the low four bits
//                    and buttons 1-4 in the high four bits
//   then file parts, each a 32-bit little-endian length and that many bytes; a part of
//   length 0 keeps the demo game's file. The last part may run short: it ends with the
//   input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

struct cPlayInput {
  std::string strScript;                           // "COUNT DIR BUTTONS" lines
  std::vector<std::vector<std::uint8_t>> vParts;   // the file parts, empty when kept
};

// Splits an input into its script and nParts file parts (those the input lacks are empty).
cPlayInput SplitPlayInput(const std::uint8_t* data, std::size_t size, int nParts);

// The other way round, for the seeds: a script of (frames, direction, buttons) lines.
struct cScriptLine {
  std::uint8_t nFrames = 0;
  std::uint8_t nDir = 0;      // 1 left, 2 right, 4 up, 8 down
  std::uint8_t nButtons = 0;  // bit 0 button 1 ...
};
std::vector<std::uint8_t> JoinPlayInput(const std::vector<cScriptLine>& script,
                                        const std::vector<std::vector<std::uint8_t>>& parts);

}  // namespace fuzz
