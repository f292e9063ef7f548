#include "flow/var_op.h"

#include <limits>
#include <type_traits>

#include "data/flow/flow_enumerations.h"
#include "flow/percent_of_rounded.h"

namespace {

// Wrapping to a narrower (or the same) width keeps the low bits; through unsigned, so no
// step is a signed overflow.
template <typename T>
T WrapTo(std::int64_t v) {
  using U = std::make_unsigned_t<T>;
  return static_cast<T>(static_cast<U>(static_cast<std::uint64_t>(v)));
}

template <typename T>
T Clamp(T* x, T min, T max) {
  if (*x < min) {
    *x = min;
  } else if (*x > max) {
    *x = max;
  }
  return *x;
}

// One operation in the width of T. The 16-bit and 8-bit forms compute the percentage with
// the 32-bit product, as PercentOfRounded does for every width.
template <typename T>
void ApplyInWidth(T* x, T v, int op, T min, T max) {
  const std::int64_t a = *x;
  const std::int64_t b = v;
  switch (op) {
    case VAROP_SET:
      *x = v;
      break;
    case VAROP_ADD:
      *x = WrapTo<T>(a + b);
      break;
    case VAROP_SUB:
      *x = WrapTo<T>(a - b);
      break;
    case VAROP_MUL: {
      // The product wraps in the width first; a result whose sign cannot come from the
      // factors' signs is an overflow and saturates. Zero counts as non-negative.
      const T product = WrapTo<T>(a * b);
      const bool sameSign = (a >= 0) == (b >= 0);
      if (sameSign && product < 0) {
        *x = std::numeric_limits<T>::max();
      } else if (!sameSign && product > 0) {
        *x = std::numeric_limits<T>::min();
      } else {
        *x = product;
      }
      break;
    }
    case VAROP_DIV:
      // Computed in 64 bits: the minimum divided by -1 then wraps to the minimum instead
      // of trapping.
      if (b != 0) *x = WrapTo<T>(a / b);
      break;
    case VAROP_MOD:
      if (b != 0) *x = WrapTo<T>(a % b);
      break;
    case VAROP_PERCENT:
      *x = WrapTo<T>(PercentOfRounded(static_cast<int>(a), static_cast<int>(b)));
      break;
    default:
      break;
  }
  Clamp(x, min, max);
}

}  // namespace

void ApplyVarOp(std::int32_t* x, std::int32_t v, int op, std::int32_t min, std::int32_t max) {
  ApplyInWidth<std::int32_t>(x, v, op, min, max);
}

void ApplyVarOp16(std::int16_t* x, std::int16_t v, int op, std::int16_t min, std::int16_t max) {
  ApplyInWidth<std::int16_t>(x, v, op, min, max);
}

void ApplyVarOp8(std::int8_t* x, std::int8_t v, int op, std::int8_t min, std::int8_t max) {
  ApplyInWidth<std::int8_t>(x, v, op, min, max);
}

std::int32_t ClampValue(std::int32_t* x, std::int32_t min, std::int32_t max) { return Clamp(x, min, max); }

std::int8_t ClampValue8(std::int8_t* x, std::int8_t min, std::int8_t max) { return Clamp(x, min, max); }

int PercentOfRounded16(int value, int percent) {
  return PercentOfRounded(WrapTo<std::int16_t>(value), percent);
}

int PercentOfRounded8(int value, int percent) {
  return PercentOfRounded(WrapTo<std::int8_t>(value), percent);
}
