#pragma once
// Random integers from the program's generator (the Windows C runtime's sequence).

// A random integer between a and b inclusive, either bound first.
int GetRand(int a, int b);
// Seeds the calling thread's generator.
void SeedRand(unsigned int seed);
