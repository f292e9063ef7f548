#include "flow/compare_by_code.h"

#include <cstdint>
#include <cstdlib>

#include "data/flow/flow_enumerations.h"

namespace {

// |a| mod b with a truncating remainder. Worked in 64 bits: |INT_MIN| does not fit in 32,
// and INT_MIN % -1 traps on x86.
bool IsMultiple(int a, int b) {
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(a));
  return magnitude % static_cast<std::int64_t>(b) == 0;
}

}  // namespace

int CompareByCode(int a, int b, int code) {
  switch (code) {
    case CMP_EQ: return a == b;
    case CMP_NE: return a != b;
    case CMP_GE: return a >= b;
    case CMP_LE: return a <= b;
    case CMP_GT: return a > b;
    case CMP_LT: return a < b;
    case CMP_MULTIPLE: return b == 0 || IsMultiple(a, b);
    case CMP_NOT_MULTIPLE: return b != 0 && !IsMultiple(a, b);
    default: return 0;
  }
}

int CompareByCode16(int a, int b, int code) {
  return CompareByCode(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), code);
}

int CompareByCode8(int a, int b, int code) {
  return CompareByCode(static_cast<std::int8_t>(a), static_cast<std::int8_t>(b), code);
}
