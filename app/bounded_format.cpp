#include "app/bounded_format.h"

#include <cstdio>

#include "platform/cp932.h"

std::size_t WholeCharLength(const char* text, std::size_t length) {
  std::size_t i = 0;
  while (i < length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsCp932LeadByte(lead)) {
      ++i;
      continue;
    }
    if (i + 1 >= length) return i;  // the trail byte was cut off
    i += IsCp932TrailByte(static_cast<unsigned char>(text[i + 1])) ? 2 : 1;
  }
  return length;
}

std::size_t VFormatBounded(char* buffer, std::size_t size, const char* format, std::va_list args) {
  const int wanted = std::vsnprintf(buffer, size, format, args);
  if (wanted < 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (static_cast<std::size_t>(wanted) < size) return static_cast<std::size_t>(wanted);
  const std::size_t length = WholeCharLength(buffer, size - 1);
  buffer[length] = '\0';
  return length;
}
