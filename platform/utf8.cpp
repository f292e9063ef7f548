#include "platform/utf8.h"

#include <cstdint>

namespace tovrel_platform {

namespace {
bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }
}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlong forms
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // no overlong forms
    if (b0 == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  const auto b1 = static_cast<unsigned char>(text[1]);
  if (b1 < low || b1 > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t length = Utf8SequenceLength(text.substr(pos));
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const std::size_t length = Utf8SequenceLength(text.substr(pos));
  if (length == 0) {
    ++pos;
    return U'\uFFFD';
  }
  const auto b0 = static_cast<unsigned char>(text[pos]);
  char32_t c = 0;
  switch (length) {
    case 1: c = b0; break;
    case 2: c = b0 & 0x1F; break;
    case 3: c = b0 & 0x0F; break;
    default: c = b0 & 0x07; break;
  }
  for (std::size_t i = 1; i < length; ++i) {
    c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  }
  pos += length;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace tovrel_platform
