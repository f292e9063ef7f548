#pragma once
// CP932 (the Microsoft table of Shift-JIS) and conversion to and from UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

// Lead bytes 0x81-0x9F and 0xE0-0xFC; trail bytes 0x40-0x7E and 0x80-0xFC.
constexpr bool IsCp932LeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsCp932TrailByte(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Converts CP932 text to UTF-8. Returns false (and converts what it can, undecodable
// bytes as U+FFFD) when the text is not valid CP932.
bool Cp932ToUtf8(std::string_view cp932, std::string& utf8);
std::string Cp932ToUtf8(std::string_view cp932);
// Converts UTF-8 text to CP932. Returns false (unmappable characters become "?") when
// the text holds characters CP932 cannot represent or is not valid UTF-8.
bool Utf8ToCp932(std::string_view utf8, std::string& cp932);
std::string Utf8ToCp932(std::string_view utf8);

// The Unicode code point of one CP932 character: a single byte (0x00-0xFF) or a
// double-byte code (lead byte << 8 | trail byte). 0 for a code the table leaves unassigned.
// The table is built once, on first use, from the same converter as the texts above.
char32_t Cp932CodeToUnicode(std::uint16_t code);
