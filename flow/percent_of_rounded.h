#pragma once
// value x percent / 100 rounded half away from zero: the product is taken in 32 bits
// (wrapping), scaled by 0.01 as a double, then rounded.
int PercentOfRounded(int value, int percent);
