#include "platform/name_fold.h"

#include "platform/utf8.h"

namespace tovrel_platform {

namespace {

char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;             // Latin-1
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;           // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                         // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                         // Cyrillic Ё etc.
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;                       // full-width Latin
  return c;
}

char32_t FoldVariant(char32_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE
    case 0x2016: return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x2212: return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x00A2: return 0xFFE0;  // CENT SIGN
    case 0x00A3: return 0xFFE1;  // POUND SIGN
    case 0x00AC: return 0xFFE2;  // NOT SIGN
    case 0x00A6: return 0xFFE4;  // BROKEN BAR
    case 0x2014: return 0x2015;  // EM DASH -> HORIZONTAL BAR
    case 0x005C: return 0xFF3C;  // REVERSE SOLIDUS inside a name -> FULLWIDTH
    case 0x203E: return 0x007E;  // OVERLINE (JIS X 0201 0x7E) -> TILDE
    default: return c;
  }
}

template <typename Fold>
std::string FoldEach(std::string_view utf8, Fold fold) {
  std::string key;
  key.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t length = Utf8SequenceLength(utf8.substr(pos));
    if (length == 0) {  // not UTF-8: keep the byte as it is
      key += utf8[pos++];
      continue;
    }
    AppendUtf8(key, fold(DecodeUtf8(utf8, pos)));
  }
  return key;
}

}  // namespace

std::string CaseFoldKey(std::string_view utf8) {
  return FoldEach(utf8, [](char32_t c) { return FoldCase(c); });
}

std::string VariantFoldKey(std::string_view utf8) {
  return FoldEach(utf8, [](char32_t c) { return FoldCase(FoldVariant(c)); });
}

}  // namespace tovrel_platform
