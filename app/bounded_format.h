#pragma once
// printf into a fixed buffer. A text that does not fit is cut, and never in the middle of
// a double-byte (Shift-JIS) character.
#include <cstdarg>
#include <cstddef>

// Formats into buffer (size bytes, at least 1, terminator included). Returns the length
// of the text in the buffer.
std::size_t VFormatBounded(char* buffer, std::size_t size, const char* format, std::va_list args)
    __attribute__((format(printf, 3, 0)));

// The length of the longest start of text[0, length) that does not end in the lead byte
// of a double-byte character whose trail byte lies at or past length.
std::size_t WholeCharLength(const char* text, std::size_t length);

// Formats the printf arguments that follow `format` in the calling function's own
// argument list into the character array `buffer`, cut as VFormatBounded cuts. A macro,
// because va_start can only stand in the variadic function itself.
#define FORMAT_BOUNDED_ARGS(buffer, format)                            \
  do {                                                                 \
    std::va_list formatArgs_;                                          \
    va_start(formatArgs_, format);                                     \
    VFormatBounded(buffer, sizeof(buffer), format, formatArgs_);       \
    va_end(formatArgs_);                                               \
  } while (false)
