#include "fuzz/play_input.h"

namespace fuzz {
namespace {

std::uint32_t PlayPartLength(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

cPlayInput SplitPlayInput(const std::uint8_t* data, std::size_t size, int nParts) {
  cPlayInput input;
  input.vParts.resize(static_cast<std::size_t>(nParts));
  std::size_t at = 0;
  if (size == 0) return input;
  const std::size_t lines = data[at++];
  for (std::size_t i = 0; i < lines && at + 2 <= size; ++i, at += 2) {
    const unsigned dir = data[at + 1] & 0x0Fu;
    const unsigned buttons = data[at + 1] >> 4;
    input.strScript += std::to_string(data[at]) + ' ' + std::to_string(dir) + ' ' + std::to_string(buttons) + '\n';
  }
  for (auto& part : input.vParts) {
    if (at + 4 > size) break;
    const std::size_t length = PlayPartLength(data + at);
    at += 4;
    const std::size_t taken = length < size - at ? length : size - at;
    part.assign(data + at, data + at + taken);
    at += taken;
  }
  return input;
}

std::vector<std::uint8_t> JoinPlayInput(const std::vector<cScriptLine>& script,
                                        const std::vector<std::vector<std::uint8_t>>& parts) {
  std::vector<std::uint8_t> bytes;
  bytes.push_back(static_cast<std::uint8_t>(script.size()));
  for (const cScriptLine& line : script) {
    bytes.push_back(line.nFrames);
    bytes.push_back(static_cast<std::uint8_t>((line.nDir & 0x0F) | (line.nButtons << 4)));
  }
  for (const auto& part : parts) {
    const auto length = static_cast<std::uint32_t>(part.size());
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(length >> shift));
    bytes.insert(bytes.end(), part.begin(), part.end());
  }
  return bytes;
}

}  // namespace fuzz
