#include "platform/cp932_caret.h"

#include <algorithm>
#include <iterator>
#include <cstdint>

#include "platform/cp932.h"

namespace {

std::size_t CharLength(std::string_view text, std::size_t at) {
  if (at + 1 < text.size() && IsCp932LeadByte(static_cast<std::uint8_t>(text[at])) &&
      IsCp932TrailByte(static_cast<std::uint8_t>(text[at + 1])))
    return 2;
  return 1;
}

}  // namespace

std::size_t Cp932CharStart(std::string_view text, std::size_t offset) {
  if (offset >= text.size()) return text.size();
  // A trail byte can look like a lead byte: only a walk from the start knows the
  // characters.
  std::size_t at = 0;
  for (;;) {
    const std::size_t next = at + CharLength(text, at);
    if (next > offset) return at;
    at = next;
  }
}

void cCp932CaretMap::Build(std::string_view cp932) {
  m_strUtf8.clear();
  m_Bounds.clear();
  m_Bounds.reserve(cp932.size() + 1);
  std::string piece;
  for (std::size_t at = 0; at < cp932.size();) {
    m_Bounds.emplace_back(at, m_strUtf8.size());
    if (cp932[at] == '\r' && at + 1 < cp932.size() && cp932[at + 1] == '\n') {
      m_strUtf8 += '\n';
      at += 2;
      continue;
    }
    const std::size_t length = CharLength(cp932, at);
    Cp932ToUtf8(cp932.substr(at, length), piece);
    m_strUtf8 += piece;
    at += length;
  }
  m_Bounds.emplace_back(cp932.size(), m_strUtf8.size());
}

std::size_t cCp932CaretMap::ToUtf8(std::size_t cp932Offset) const {
  // The last boundary at or before the offset.
  auto it = std::upper_bound(m_Bounds.begin(), m_Bounds.end(), cp932Offset,
                             [](std::size_t value, const auto& bound) { return value < bound.first; });
  if (it == m_Bounds.begin()) return 0;
  return std::prev(it)->second;
}

std::size_t cCp932CaretMap::ToCp932(std::size_t utf8Offset) const {
  auto it = std::upper_bound(m_Bounds.begin(), m_Bounds.end(), utf8Offset,
                             [](std::size_t value, const auto& bound) { return value < bound.second; });
  if (it == m_Bounds.begin()) return 0;
  return std::prev(it)->first;
}

bool FieldTextToCp932(std::string_view utf8, std::string& cp932) {
  std::string lines;
  lines.reserve(utf8.size() + utf8.size() / 8);
  for (char c : utf8) {
    if (c == '\r') continue;
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return Utf8ToCp932(lines, cp932);
}
