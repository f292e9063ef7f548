// CP932 <-> UTF-8 through glibc iconv ("CP932" is the Microsoft table: 0x8160 is U+FF5E,
// 0x815F is U+FF3C, the NEC and IBM extensions are present). An iconv descriptor carries
// state and is not thread-safe, so each thread opens its own pair.
#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

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
