#pragma once
// The random sequence of the Windows C runtime, which recorded replays depend on:
// x = x * 214013 + 2531011, result (x >> 16) & 0x7FFF. State per thread, seed 1 at start.
constexpr int CRT_RAND_MAX = 32767;

void CrtSrand(unsigned int seed);
int CrtRand();
