#pragma once
// Helpers of the platform tests. The tests are built with -fexec-charset=CP932 like the
// program, so a plain literal holds CP932 bytes; UTF-8 text is written as u8 literals.
#include <string>

inline std::string U8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }
