#include "app/str_helpers.h"

#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "app/bounded_format.h"
#include "platform/cp932.h"

void StrPrintf(std::string& out, const char* format, ...) {
  char buffer[kStrPrintfMax + 1];
  va_list args;
  va_start(args, format);
  const std::size_t length = VFormatBounded(buffer, sizeof buffer, format, args);
  va_end(args);
  out.assign(buffer, length);
}

std::string& StrCatPrintf(std::string& out, const char* format, ...) {
  char buffer[kStrPrintfMax + 1];
  va_list args;
  va_start(args, format);
  const std::size_t length = VFormatBounded(buffer, sizeof buffer, format, args);
  va_end(args);
  return out.append(buffer, length);
}

int StrResync(std::string& text) {
  text.resize(std::strlen(text.c_str()));
  return static_cast<int>(text.size());
}

std::string StrSubstrSafe(const std::string& text, int start, int count) {
  std::int64_t from = start;
  std::int64_t n = count;
  if (from < 0) {
    n += from;
    from = 0;
  }
  const auto size = static_cast<std::int64_t>(text.size());
  if (from >= size || n <= 0) return std::string();
  if (n > size - from) n = size - from;
  return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n));
}

int IsDBCSChar(const char* p) {
  return IsCp932LeadByte(static_cast<unsigned char>(p[0])) &&
         IsCp932TrailByte(static_cast<unsigned char>(p[1]));
}

int GetStrCharNum(const char* text) {
  int count = 0;
  for (const char* p = text; *p != '\0';) {
    if (IsDBCSChar(p)) {
      ++count;
      p += 2;
    } else {
      if (*p != '\n') ++count;
      ++p;
    }
  }
  return count;
}
