#pragma once
// Keys under which file names compare equal the way Windows compares them. Internal to
// the platform layer.
#include <string>
#include <string_view>

namespace tovrel_platform {

// The UTF-8 name with letter case folded: ASCII, Latin-1, Greek, Cyrillic and full-width
// Latin letters (the cased letters CP932 can hold) become small letters.
std::string CaseFoldKey(std::string_view utf8);

// CaseFoldKey with the characters that CP932 and JIS-based tables spell differently made
// one: U+301C and U+FF5E (0x8160), U+2016 and U+2225, U+2212 and U+FF0D, U+00A2/U+00A3/
// U+00AC/U+00A6 and U+FFE0/U+FFE1/U+FFE2/U+FFE4, U+2014 and U+2015 (0x815C), U+005C and
// U+FF3C (0x815F), U+203E and U+007E. Names on disk may carry either form.
std::string VariantFoldKey(std::string_view utf8);

}  // namespace tovrel_platform
