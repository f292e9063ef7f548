#pragma once
// The value operations (VAROP) of the status command and of bindings: set, add, subtract,
// multiply, divide, remainder and percentage, each followed by a clamp, in the width the
// value is stored in (32, 16 or 8 bits). Add and subtract wrap in that width; a product
// whose sign contradicts its factors' signs saturates; division and remainder by 0 leave
// the value; the one quotient that does not fit (the width's minimum divided by -1) wraps
// to the minimum and its remainder is 0. Any other operation code only clamps.
#include <cstdint>

void ApplyVarOp(std::int32_t* x, std::int32_t v, int op, std::int32_t min, std::int32_t max);
void ApplyVarOp16(std::int16_t* x, std::int16_t v, int op, std::int16_t min, std::int16_t max);
void ApplyVarOp8(std::int8_t* x, std::int8_t v, int op, std::int8_t min, std::int8_t max);

// Clamp in place and return the value: below min gives min, else above max gives max.
std::int32_t ClampValue(std::int32_t* x, std::int32_t min, std::int32_t max);
std::int8_t ClampValue8(std::int8_t* x, std::int8_t min, std::int8_t max);

// PercentOfRounded with the value taken as a 16-bit or 8-bit value first; the product is
// still taken in 32 bits.
int PercentOfRounded16(int value, int percent);
int PercentOfRounded8(int value, int percent);
