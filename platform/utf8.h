#pragma once
// UTF-8 sequences: validation, decoding and encoding of code points. Internal to the
// platform layer.
#include <cstddef>
#include <string>
#include <string_view>

namespace tovrel_platform {

// Length (1 to 4) of the well-formed UTF-8 sequence that starts `text`, 0 when `text` is
// empty or does not start with one (overlong forms, surrogates and values past U+10FFFF
// are not well formed).
std::size_t Utf8SequenceLength(std::string_view text);

// True when the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// Decodes the character at `pos` and moves `pos` past it. A byte that does not start a
// well-formed sequence decodes as U+FFFD and moves `pos` by one.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace tovrel_platform
