// CP932 <-> UTF-8 through glibc iconv ("CP932" is the Microsoft table: 0x8160 is U+FF5E,
// 0x815F is U+FF3C, the NEC and IBM extensions are present). An iconv descriptor carries
// state and is not thread-safe, so each thread opens its own pair.
#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <vector>

#include "platform/utf8.h"

namespace {

class cIconv {
 public:
  cIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~cIconv() {
    if (Valid()) iconv_close(m_cd);
  }
  cIconv(const cIconv&) = delete;
  cIconv& operator=(const cIconv&) = delete;

  bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return m_cd; }

 private:
  iconv_t m_cd;
};

iconv_t Cp932ToUtf8Descriptor() {
  thread_local cIconv descriptor("UTF-8", "CP932");
  return descriptor.Valid() ? descriptor.Get() : nullptr;
}

iconv_t Utf8ToCp932Descriptor() {
  thread_local cIconv descriptor("CP932", "UTF-8");
  return descriptor.Valid() ? descriptor.Get() : nullptr;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Bytes of CP932 text that iconv refused, taken as one bad character: a lead byte with a
// trail byte is one (unassigned) double-byte code; anything else is one byte.
std::size_t BadCp932Length(std::string_view rest) {
  if (rest.size() >= 2 && IsCp932LeadByte(static_cast<std::uint8_t>(rest[0])) &&
      IsCp932TrailByte(static_cast<std::uint8_t>(rest[1]))) {
    return 2;
  }
  return 1;
}

// Bytes of UTF-8 text that iconv refused: a well-formed sequence is one character CP932
// has no code for; a malformed byte is one bad character on its own.
std::size_t BadUtf8Length(std::string_view rest) {
  const std::size_t length = tovrel_platform::Utf8SequenceLength(rest);
  return length == 0 ? 1 : length;
}

// Runs `cd` over `in` into `out` (which may not alias `in`). Refused input is replaced
// by `replacement`; returns false when anything was replaced.
bool Convert(iconv_t cd, std::string_view in, std::string& out, std::string_view replacement,
             std::size_t (*badLength)(std::string_view)) {
  if (cd == nullptr) {  // no converter available: keep ASCII, replace everything else
    bool ok = true;
    for (std::size_t i = 0; i < in.size();) {
      if (static_cast<unsigned char>(in[i]) < 0x80) {
        out += in[i++];
      } else {
        out += replacement;
        i += badLength(in.substr(i));
        ok = false;
      }
    }
    return ok;
  }
  out.reserve(in.size() + in.size() / 2);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  bool ok = true;
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ (a bad character) or EINVAL (a character cut off by the end of the text).
    ok = false;
    out += replacement;
    const std::size_t skip = badLength(std::string_view(src, srcLeft));
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return ok;
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8) {
  if (IsAscii(cp932)) {
    utf8.assign(cp932);
    return true;
  }
  std::string result;
  const bool ok = Convert(Cp932ToUtf8Descriptor(), cp932, result, "\xEF\xBF\xBD", BadCp932Length);
  utf8.swap(result);
  return ok;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string utf8;
  Cp932ToUtf8(cp932, utf8);
  return utf8;
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932) {
  if (IsAscii(utf8)) {
    cp932.assign(utf8);
    return true;
  }
  std::string result;
  const bool ok = Convert(Utf8ToCp932Descriptor(), utf8, result, "?", BadUtf8Length);
  cp932.swap(result);
  return ok;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string cp932;
  Utf8ToCp932(utf8, cp932);
  return cp932;
}

namespace {

// Decodes one UTF-8 sequence that iconv produced for a single character.
char32_t DecodeOne(const char* utf8, std::size_t length) {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
  if (length == 1) return b(0);
  if (length == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  if (length == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  if (length == 4) return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
  return 0;
}

// Every code at once: text is drawn character by character, and a converter call per
// glyph would cost more than the glyph.
std::vector<char32_t> BuildCodeTable() {
  std::vector<char32_t> table(65536, 0);
  cIconv cd("UTF-8", "CP932");
  if (!cd.Valid()) {
    for (char32_t c = 0; c < 0x80; ++c) table[c] = c;
    return table;
  }
  const auto convert = [&](const char* in, std::size_t inLength) -> char32_t {
    iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    std::size_t srcLeft = inLength;
    char out[8];
    char* dst = out;
    std::size_t dstLeft = sizeof out;
    if (iconv(cd.Get(), &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0) return 0;
    return DecodeOne(out, static_cast<std::size_t>(dst - out));
  };
  for (unsigned b = 0; b < 0x100; ++b) {
    if (IsCp932LeadByte(static_cast<std::uint8_t>(b))) continue;
    const char in[1] = {static_cast<char>(b)};
    table[b] = convert(in, 1);
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<std::uint8_t>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsCp932TrailByte(static_cast<std::uint8_t>(trail))) continue;
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      table[(lead << 8) | trail] = convert(in, 2);
    }
  }
  return table;
}

}  // namespace

char32_t Cp932CodeToUnicode(std::uint16_t code) {
  static const std::vector<char32_t> table = BuildCodeTable();
  return table[code];
}
