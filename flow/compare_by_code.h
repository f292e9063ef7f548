#pragma once
// The comparison codes of conditions and status tests (CMP): 0 equal, 1 not equal, 2 at
// least, 3 at most, 4 above, 5 below, 6 a multiple of, 7 not a multiple of; any other
// code is false. a is the tested value, b the compare value; signed, 32 bits.
int CompareByCode(int a, int b, int code);

// The same with both operands taken as 16-bit or 8-bit values first (the widths of the
// status values stored in 16 or 8 bits).
int CompareByCode16(int a, int b, int code);
int CompareByCode8(int a, int b, int code);
